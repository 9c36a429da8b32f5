// What the module needs of Windows beyond the interfaces it shares with the other platforms:
// paths between UTF-8 and the wide strings of the Windows API, reads of this process's memory
// that fail instead of faulting, and TWAIN handles, which on Windows are HGLOBALs.
#ifndef TWAINMON_PLATFORM_TWAINWINDOWS_H
#define TWAINMON_PLATFORM_TWAINWINDOWS_H

#include <sys/time.h>
#include <sys/types.h>

#include <cstddef>
#include <string>

namespace twainwin {

// The UTF-16 form of a UTF-8 path, every '/' made a '\'; empty when the text is not UTF-8.
std::wstring WidePath(const char* utf8);
// The UTF-8 form of a wide text; empty when it cannot be converted.
std::string Utf8(const wchar_t* wide, size_t length);

// Copies up to size bytes from address on into out, stopping at the first page that is not
// committed and readable (VirtualQuery), so that a pointer into nothing never raises an access
// violation. Returns the bytes copied.
size_t ReadOwnMemory(const void* address, void* out, size_t size);

// The size of the live global memory block behind handle (GlobalSize); 0 for null, for a
// pointer whose first bytes cannot be read, and for anything GlobalSize does not take for a
// global handle.
size_t GlobalBlockSize(const void* handle);
// GlobalLock and GlobalUnlock of a handle that GlobalBlockSize accepts; null, and nothing
// locked, for any other.
void* LockGlobalBlock(void* handle);
void UnlockGlobalBlock(void* handle);

// The local time from GetLocalTime, to the millisecond, as the clock reading the log's stamps
// are made of: seconds that the C library's localtime turns back into the same fields, and
// the milliseconds in tv_usec. (In the hour a change from summer time repeats, the seconds
// are those of either.)
struct timeval LocalClock();

// The log file's calls. CreateLogFile creates path as a new file (CreateFileW, CREATE_NEW,
// never through a reparse point), which this user may write and every other user may only
// read (an explicit security descriptor, whatever the folder's inherited rights), shared for
// reading only, and opened for appending; it returns a descriptor of the C library, or -1 with
// errno EEXIST when anything is at the name, another errno for any other failure or when what
// was created is not a plain disk file with one link. WriteLogFile is one WriteFile at the
// end of the file: the bytes written, or -1 with errno (ENOSPC for a full disk, EFBIG,
// EIO for any other failure).
int CreateLogFile(const char* path);

// The log file's security descriptor: its DACL lets this user (the thread's token, else the
// process's) do anything with the file and everyone else read it, as a POSIX file of mode
// 0644, and is protected from the rights the folder would pass on.
class LogFileSecurity {
public:
    bool Build();
    void* Descriptor() { return m_descriptor; }

private:
    alignas(8) unsigned char m_tokenUser[sizeof(void*) * 2 + 68]; // TOKEN_USER and its SID
    alignas(8) unsigned char m_everyone[68];                      // SECURITY_MAX_SID_SIZE
    alignas(8) unsigned char m_acl[256];
    alignas(8) unsigned char m_descriptor[64]; // a SECURITY_DESCRIPTOR
};
ssize_t WriteLogFile(int fd, const void* data, size_t size);

} // namespace twainwin

#endif // TWAINMON_PLATFORM_TWAINWINDOWS_H
