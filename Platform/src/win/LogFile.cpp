// The log file on Windows: its creation, its writes, the free space of its volume, and the
// file-size limit that Windows does not have.
#include <sys/resource.h>
#include <sys/statvfs.h>

#include "TwainWindows.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

static_assert(sizeof(SECURITY_DESCRIPTOR) <= 64, "room for the log file's descriptor");
static_assert(sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE <= sizeof(void*) * 2 + 68,
              "room for the token's user");

namespace {

int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_TOO_LARGE:
        return EFBIG;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
        return ENOENT;
    default:
        return EIO;
    }
}

// A plain file on a disk, not a directory or reparse point, with one name.
bool IsPlainFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
               0 &&
           info.nNumberOfLinks == 1;
}

} // namespace

namespace twainwin {

struct timeval LocalClock() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    struct tm fields {};
    fields.tm_year = local.wYear - 1900;
    fields.tm_mon = local.wMonth - 1;
    fields.tm_mday = local.wDay;
    fields.tm_hour = local.wHour;
    fields.tm_min = local.wMinute;
    fields.tm_sec = local.wSecond;
    fields.tm_isdst = -1;
    struct timeval now {};
    now.tv_sec = static_cast<long>(mktime(&fields));
    now.tv_usec = local.wMilliseconds * 1000L;
    return now;
}

bool LogFileSecurity::Build() {
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token) &&
        !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    DWORD length = 0;
    const bool user =
        GetTokenInformation(token, TokenUser, m_tokenUser, sizeof m_tokenUser, &length) != 0;
    CloseHandle(token);
    DWORD everyoneSize = sizeof m_everyone;
    PSID const self = reinterpret_cast<TOKEN_USER*>(m_tokenUser)->User.Sid;
    auto* const acl = reinterpret_cast<ACL*>(m_acl);
    auto* const descriptor = static_cast<SECURITY_DESCRIPTOR*>(Descriptor());
    return user && CreateWellKnownSid(WinWorldSid, nullptr, m_everyone, &everyoneSize) &&
           InitializeAcl(acl, sizeof m_acl, ACL_REVISION) &&
           AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, self) &&
           AddAccessAllowedAce(acl, ACL_REVISION, FILE_GENERIC_READ, m_everyone) &&
           InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE) &&
           SetSecurityDescriptorControl(descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
}

int CreateLogFile(const char* path) {
    const std::wstring name = WidePath(path);
    LogFileSecurity security;
    if (name.empty() || !security.Build()) {
        errno = EINVAL;
        return -1;
    }
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, security.Descriptor(), FALSE};
    HANDLE file =
        CreateFileW(name.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, &attributes, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errno = ErrnoOf(GetLastError());
        return -1;
    }
    if (!IsPlainFile(file)) {
        CloseHandle(file);
        errno = EPERM;
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_APPEND | _O_BINARY);
    if (fd < 0) {
        CloseHandle(file);
        errno = EMFILE;
    }
    return fd;
}

ssize_t WriteLogFile(int fd, const void* data, size_t size) {
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    const DWORD chunk = size < (DWORD{1} << 30) ? static_cast<DWORD>(size) : DWORD{1} << 30;
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, data, chunk, &written, nullptr)) {
        errno = file == INVALID_HANDLE_VALUE ? EBADF : ErrnoOf(GetLastError());
        return -1;
    }
    return static_cast<ssize_t>(written);
}

} // namespace twainwin

// The volume of the open file: GetDiskFreeSpaceExW of the folder that holds it.
extern "C" int fstatvfs(int fd, struct statvfs* buf) {
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    std::wstring folder(MAX_PATH, L'\0');
    DWORD length = 0;
    for (int attempt = 0; attempt < 2 && file != INVALID_HANDLE_VALUE; ++attempt) {
        length = GetFinalPathNameByHandleW(file, &folder[0], static_cast<DWORD>(folder.size()),
                                           FILE_NAME_NORMALIZED);
        if (length < folder.size()) {
            break;
        }
        folder.resize(length + 1); // too short: length is the size needed
    }
    if (buf == nullptr || length == 0 || length >= folder.size()) {
        errno = EBADF;
        return -1;
    }
    folder.resize(length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER free{};
    if (!GetDiskFreeSpaceExW(folder.c_str(), &available, &total, &free)) {
        errno = EIO;
        return -1;
    }
    *buf = {1, 1, total.QuadPart, free.QuadPart, available.QuadPart};
    return 0;
}

extern "C" int getrlimit(int resource, struct rlimit* rlim) {
    if (rlim == nullptr || resource != RLIMIT_FSIZE) {
        errno = EINVAL;
        return -1;
    }
    *rlim = {RLIM_INFINITY, RLIM_INFINITY};
    return 0;
}
