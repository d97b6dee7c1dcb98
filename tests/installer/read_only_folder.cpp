#include "tests/installer/read_only_folder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace installer_testing {

namespace fs = std::filesystem;

ReadOnlyFolder::ReadOnlyFolder(fs::path folder)
    : folder_(std::move(folder)), perms_(fs::status(folder_).permissions()) {
  fs::permissions(folder_,
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (geteuid() == 0) SetImmutable(true);
}

ReadOnlyFolder::~ReadOnlyFolder() {
  if (geteuid() == 0) SetImmutable(false);
  std::error_code ec;
  fs::permissions(folder_, perms_, fs::perm_options::replace, ec);
}

bool ReadOnlyFolder::Holds() const {
  const fs::path probe = folder_ / ".probe";
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return true;
  close(fd);
  unlink(probe.c_str());
  return false;
}

void ReadOnlyFolder::SetImmutable(bool on) const {
  const int fd = open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  int flags = 0;
  if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ioctl(fd, FS_IOC_SETFLAGS, &flags);
  }
  close(fd);
}

}  // namespace installer_testing
