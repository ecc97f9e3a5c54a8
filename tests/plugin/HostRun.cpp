#include "HostRun.h"

#include <cstdio>
#include <sys/wait.h>

HostRun HostRun::run (const std::string& command, const std::string& arguments, bool underXvfb)
{
    std::string commandLine = std::string ("'") + TORVANE_HOST + "' " + command + " '" + TORVANE_BUNDLE + "' "
                              + arguments + " 2>&1";
    if (underXvfb)
        commandLine = std::string ("'") + TORVANE_WITH_XVFB + "' " + commandLine;

    HostRun result;
    FILE* pipe = popen (commandLine.c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::string line;
    for (int c = fgetc (pipe); c != EOF; c = fgetc (pipe))
    {
        if (c != '\n')
        {
            line += (char) c;
            continue;
        }
        result.lines.push_back (line);
        const auto colon = line.find (": ");
        if (colon != std::string::npos)
            result.values[line.substr (0, colon)] = line.substr (colon + 2);
        else if (! line.empty() && line.back() == ':')
            result.values[line.substr (0, line.size() - 1)] = {};
        line.clear();
    }
    const int status = pclose (pipe);
    result.status = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
    return result;
}

std::string HostRun::value (const std::string& key) const
{
    const auto found = values.find (key);
    return found != values.end() ? found->second : "<missing " + key + ">";
}

std::string HostRun::field (const std::string& line, const std::string& name)
{
    const auto start = line.find (" " + name + "=");
    if (start == std::string::npos)
        return "<missing " + name + ">";
    const auto from = start + name.size() + 2;
    const auto end = line.find (' ', from);
    return line.substr (from, end == std::string::npos ? std::string::npos : end - from);
}
