// Closing the editor while its prefetch thread is busy, with every core of the machine
// kept busy and without the right to raise a thread's priority (as for an ordinary
// desktop user): the host's message thread gets the editor's destructor back at once.
// It keeps the cores busy on purpose, so ctest runs it on its own.
#include "SceneDriver.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace
{
// Drops CAP_SYS_NICE from this thread, and so from the threads it starts, and lowers the
// nice limit to none.
bool dropNicePrivilege()
{
    const rlimit none { 0, 0 };
    setrlimit (RLIMIT_NICE, &none);
    __user_cap_header_struct header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct data[2] {};
    if (syscall (SYS_capget, &header, data) != 0)
        return false;
    auto& word = data[CAP_SYS_NICE / 32];
    const auto bit = 1u << (CAP_SYS_NICE % 32);
    word.effective &= ~bit;
    word.permitted &= ~bit;
    word.inheritable &= ~bit;
    return syscall (SYS_capset, &header, data) == 0;
}

// Whether a thread started now could leave the idle scheduling class again.
bool threadsCanLeaveIdle()
{
    bool left = false;
    std::thread probe ([&left]
                       {
                           sched_param param {};
                           pthread_setschedparam (pthread_self(), SCHED_IDLE, &param);
                           left = pthread_setschedparam (pthread_self(), SCHED_OTHER, &param) == 0;
                       });
    probe.join();
    return left;
}

// One spinning thread for every core, at the ordinary priority, while it lives.
class BusyCores
{
public:
    BusyCores()
    {
        for (unsigned i = 0; i < std::max (1u, std::thread::hardware_concurrency()); ++i)
            spinners.emplace_back ([this]
                                   {
                                       while (! stop.load (std::memory_order_relaxed))
                                       {
                                       }
                                   });
    }

    ~BusyCores()
    {
        stop = true;
        for (auto& t : spinners)
            t.join();
    }

private:
    std::atomic<bool> stop { false };
    std::vector<std::thread> spinners;
};
} // namespace

// A 1120 window on a 2x display is closed right after its first frame, while the thread
// is still decoding and laying on the scene's art: five times, each within 100 ms.
TEST (EditorClose, ClosingWhileThePrefetchWorksDoesNotWaitForIt)
{
    ASSERT_TRUE (dropNicePrivilege());
    EXPECT_FALSE (threadsCanLeaveIdle()) << "the privilege to raise a thread's priority is still there";
    SceneDriver scene (1000.0);
    scene.setParameter ("drive", 100.0f);
    const BusyCores busy;
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        scene.openEditor();
        scene.editor->setSize (1120, 1120);
        scene.playTick (1.0f);
        juce::Image image (juce::Image::ARGB, 2240, 2240, true);
        {
            juce::Graphics g (image);
            g.addTransform (juce::AffineTransform::scale (2.0f));
            scene.editor->paintEntireComponent (g, false);
        }
        ASSERT_TRUE (scene.editor->prefetch.busy()) << "closed after the thread finished: nothing measured";
        const auto start = std::chrono::steady_clock::now();
        scene.editor.reset();
        const double ms = std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now() - start).count();
        EXPECT_LT (ms, 100.0) << "attempt " << attempt;
        std::printf ("closed in %.1f ms\n", ms);
    }
}
