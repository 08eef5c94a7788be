// The folder picker. Only folders of the file system can be chosen (FOS_FORCEFILESYSTEM):
// a library or a virtual folder has no path to write a file into. It is not sent to the
// folder chosen before, which may be an offline share that would hold up the window thread
// before the dialog even shows; the dialog opens where the user last was in it.
#include "folder_dialog.h"

#include <shobjidl.h>
#include <wchar.h>
#include "owner_window.h"

template <class T> static void ReleaseInterface(T *object)
{
    if (object)
        object->Release();
}

static void SetTitle(IFileOpenDialog *dialog, const char *title)
{
    wchar_t wide[256];
    if (title && MultiByteToWideChar(CP_ACP, 0, title, -1, wide, ARRAYSIZE(wide)) > 0)
        dialog->SetTitle(wide);
}

static bool ResultPath(IFileOpenDialog *dialog, wchar_t *folder)
{
    IShellItem *item = nullptr;
    PWSTR path = nullptr;
    bool found = SUCCEEDED(dialog->GetResult(&item))
                 && SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))
                 && wcslen(path) < MAX_PATH;
    if (found)
        wcscpy(folder, path);
    CoTaskMemFree(path);
    ReleaseInterface(item);
    return found;
}

bool PickFolder(const char *title, wchar_t *folder)
{
    // A thread where COM runs already in another mode can still create the dialog; only a
    // start made here is ended here.
    HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    IFileOpenDialog *dialog = nullptr;
    DWORD options = 0;
    bool picked = SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IFileOpenDialog, (void **)&dialog))
                  && SUCCEEDED(dialog->GetOptions(&options))
                  && SUCCEEDED(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM
                                                  | FOS_PATHMUSTEXIST));
    if (picked) {
        SetTitle(dialog, title);
        picked = SUCCEEDED(dialog->Show(MeterWindow)) && ResultPath(dialog, folder);
    }
    ReleaseInterface(dialog);
    if (SUCCEEDED(started))
        CoUninitialize();
    return picked;
}
