// A device node the user may not open: the message names the group that grants it.
#include "driver_fixture.h"

#include <functional>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace drivertest {
namespace {

class PortPermission : public DriverOnPty {};

// Runs what the test asks without the privileges of root, who passes every
// permission check: in a child that has become nobody. Returns what it returns.
std::string withoutPrivileges(const std::function<std::string()>& what) {
    if (geteuid() != 0)
        return what();
    int channel[2];
    if (pipe(channel) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        const std::string text =
            setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0 ? what() : "still root";
        (void)!write(channel[1], text.data(), text.size());
        _exit(0);
    }
    close(channel[1]);
    std::string text;
    char chunk[256];
    for (ssize_t n; (n = read(channel[0], chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(n));
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return text;
}

TEST_F(PortPermission, APortRefusedForLackOfPermissionNamesTheGroupThatGrantsIt) {
    // The group may read and write the device, its owner and everybody else not.
    struct stat node {};
    ASSERT_EQ(stat(peer.path().c_str(), &node), 0);
    ASSERT_EQ(chmod(peer.path().c_str(), 0060), 0);
    const std::string group = getgrgid(node.st_gid)->gr_name;
    const std::string message = withoutPrivileges([&] {
        const std::string user = getpwuid(getuid())->pw_name;
        const std::string expected = "Unable to open com port " + peer.path() +
                                     " (errno 13: Permission denied): members of the group " + group +
                                     " may use it; add " + user + " to it (sudo adduser " + user + " " +
                                     group + ") and log in again";
        if (plugin->openHardwarePort(1) != LV_RESULT_CANNOT_OPEN_PORT)
            return std::string("opened");
        const std::string text = plugin->lastErrorText();
        return text == expected ? std::string("as expected") : text + "\nexpected: " + expected;
    });
    chmod(peer.path().c_str(), node.st_mode & 07777);
    EXPECT_EQ(message, "as expected");
}

} // namespace
} // namespace drivertest
