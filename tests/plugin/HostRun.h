#pragma once

#include <map>
#include <string>
#include <vector>

// The result of one run of the project's host: its exit status and its output lines,
// also split at the first ": " into keys and values.
struct HostRun
{
    int status = -1;
    std::vector<std::string> lines;
    std::map<std::string, std::string> values;

    // Runs torvane_host with the arguments after the command and the built bundle;
    // with underXvfb the run goes through the Xvfb wrapper script.
    static HostRun run (const std::string& command, const std::string& arguments = {}, bool underXvfb = false);

    std::string value (const std::string& key) const;
    // The "name=value" field of a line such as "param0: name=Drive id=95852938".
    static std::string field (const std::string& line, const std::string& name);
};
