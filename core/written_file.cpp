// A file written with stdio, closed so that no failed write goes unnoticed.
#include "written_file.h"

bool CloseWrittenFile(FILE *file)
{
    // Some C runtimes report a failed buffered write neither from fflush nor from fclose
    // unless fflush ran first; it still sets the stream's error flag.
    bool written = fflush(file) == 0 && !ferror(file);
    return fclose(file) == 0 && written;
}
