// The user's one instance across sessions. A plain name lives in the namespace of its
// session, so the same user signed in twice (the console and a remote session, or a
// multi-session host) would run two instances that save over each other's registry values
// and write the same backup's temporary file. "Global\" names are one for all sessions;
// the user's SID in the name keeps users apart, and the DACL lets no other user open the
// mutex. Runs on the program's one thread, at start-up.
#include "user_mutex.h"

#include <sddl.h>
#include <stdio.h>

// The text of a SID is at most 184 characters; the prefix and the SDDL frame add little.
static const size_t NAME_SIZE = 256;

// The process token's user as "S-1-5-21-..." into `text`; false when it cannot be read.
static bool TokenUserSid(char *text, size_t size)
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    // The TOKEN_USER and the SID it points to, which follows it in the same buffer.
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } info;
    DWORD used = 0;
    char *converted = NULL;
    bool done = GetTokenInformation(token, TokenUser, &info, sizeof info, &used)
                && ConvertSidToStringSidA(info.user.User.Sid, &converted);
    CloseHandle(token);
    if (done)
        done = snprintf(text, size, "%s", converted) < (int)size;
    LocalFree(converted);
    return done;
}

// A protected DACL with one entry: all access for the user, none for anyone else.
static PSECURITY_DESCRIPTOR UserOnlyDescriptor(const char *sid)
{
    char sddl[NAME_SIZE];
    if (snprintf(sddl, sizeof sddl, "D:P(A;;GA;;;%s)", sid) >= (int)sizeof sddl)
        return NULL;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1,
                                                              &descriptor, NULL))
        return NULL;
    return descriptor;
}

UserMutexState TakeUserMutex(HANDLE *mutex)
{
    *mutex = NULL;
    char sid[NAME_SIZE], name[NAME_SIZE];
    if (!TokenUserSid(sid, sizeof sid)
        || snprintf(name, sizeof name, "Global\\Tallywick-%s", sid) >= (int)sizeof name)
        return USER_MUTEX_OUT_OF_REACH;
    PSECURITY_DESCRIPTOR descriptor = UserOnlyDescriptor(sid);
    if (!descriptor)
        return USER_MUTEX_OUT_OF_REACH;
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    // Not owned: only its existence counts. Opening one that exists (the other session's)
    // answers ERROR_ALREADY_EXISTS; one whose DACL shuts this process out answers NULL.
    SetLastError(ERROR_SUCCESS);
    HANDLE handle = CreateMutexA(&attributes, FALSE, name);
    DWORD error = GetLastError();
    LocalFree(descriptor);
    if (!handle)
        return USER_MUTEX_OUT_OF_REACH;
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(handle);
        return USER_MUTEX_ELSEWHERE;
    }
    *mutex = handle;
    return USER_MUTEX_TAKEN;
}
