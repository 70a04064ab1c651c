#include "fileutil.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

std::string ProgramDir() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    buf[n] = 0;
    return DirName(buf);
}

std::string DirName(const std::string& path) {
    size_t p = path.find_last_of('/');
    if (p == std::string::npos) return ".";
    if (p == 0) return "/";
    return path.substr(0, p);
}

bool FileExists(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsWritableDir(const std::string& dir) { return access(dir.c_str(), W_OK | X_OK) == 0; }

int CreateTempFile(const std::string& dir, const std::string& prefix, const std::string& suffix, std::string* name) {
    std::string tmpl = dir + "/" + prefix + "XXXXXX" + suffix;
    int fd = mkostemps(tmpl.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (fd >= 0 && name) *name = tmpl;
    return fd;
}

namespace {

// A new temporary file beside path, open for writing.
int TempFileBeside(const std::string& path, std::string* name) {
    return CreateTempFile(DirName(path), ".velmo-tmp-", "", name);
}

bool WriteAll(int fd, const char* p, size_t n) {
    while (n > 0) {
        ssize_t w = write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

// 0666 less the process's umask, as open() gives a new file.
mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

void SyncDir(const std::string& dir) {
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
    std::string tmp;
    int fd = TempFileBeside(path, &tmp);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    int saved = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok) {
        // Keep the permissions of the file being replaced; a new file gets
        // those of any new file.
        struct stat st;
        if (stat(path.c_str(), &st) == 0) chmod(tmp.c_str(), st.st_mode & 07777);
        else chmod(tmp.c_str(), NewFileMode());
        if (rename(tmp.c_str(), path.c_str()) != 0) {
            ok = false;
            saved = errno;
        }
    }
    if (!ok) {
        unlink(tmp.c_str());
        errno = saved;
        return false;
    }
    SyncDir(DirName(path));
    return true;
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    bytes = ss.str();
    return !in.bad();
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool CopyFileAtomic(const std::string& src, const std::string& dst, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what + ": " + std::strerror(errno);
        return false;
    };
    if (SameFile(src, dst)) return true;
    int in = open(src.c_str(), O_RDONLY);
    if (in < 0) return fail(src);
    std::string tmp;
    int out = TempFileBeside(dst, &tmp);
    if (out >= 0) fchmod(out, NewFileMode());
    if (out < 0) {
        int e = errno;
        close(in);
        errno = e;
        return fail(dst);
    }
    char buf[1 << 16];
    bool ok = true;
    for (;;) {
        ssize_t r = read(in, buf, sizeof buf);
        if (r < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        if (r == 0) break;
        if (!WriteAll(out, buf, static_cast<size_t>(r))) {
            ok = false;
            break;
        }
    }
    if (ok && fsync(out) != 0) ok = false;
    int saved = errno;
    close(in);
    if (close(out) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && rename(tmp.c_str(), dst.c_str()) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        unlink(tmp.c_str());
        errno = saved;
        return fail(dst);
    }
    SyncDir(DirName(dst));
    return true;
}
