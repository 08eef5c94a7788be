// The user's one instance across sessions: a mutex in the global namespace, named after the
// user's SID, that only that user may open.
#ifndef TALLYWICK_USER_MUTEX_H
#define TALLYWICK_USER_MUTEX_H

#include <windows.h>

enum UserMutexState {
    USER_MUTEX_TAKEN,      // this process holds it now
    USER_MUTEX_ELSEWHERE,  // it exists: an instance of the same user runs in another session
    USER_MUTEX_OUT_OF_REACH  // it could not be created or opened (access denied, no SID)
};

// Creates the mutex, or finds it; `*mutex` is the handle to keep while TAKEN, else null.
UserMutexState TakeUserMutex(HANDLE *mutex);

#endif
