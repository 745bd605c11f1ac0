// A device node the user may not open: the message names the group that grants it.
#include "driver_fixture.h"

#include <algorithm>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace drivertest {
namespace {

class PortPermission : public DriverOnPty {};

// Runs what the test asks without the privileges of root, who passes every
// permission check: as nobody for its duration. The effective IDs are changed in
// this process rather than in a forked child, which could hang on a lock another
// thread (the terminal's peer, the sanitizer's allocator) held at the fork.
std::string withoutPrivileges(const std::function<std::string()>& what) {
    if (geteuid() != 0)
        return what();
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    groups.resize(
        static_cast<std::size_t>(std::max(getgroups(static_cast<int>(groups.size()), groups.data()), 0)));
    std::string text = "still root";
    if (setgroups(0, nullptr) == 0 && setegid(65534) == 0 && seteuid(65534) == 0)
        text = what();
    // Root again: the real user ID stayed root.
    if (seteuid(0) != 0 || setegid(0) != 0 || setgroups(groups.size(), groups.data()) != 0)
        text += "\nthe privileges did not come back";
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
