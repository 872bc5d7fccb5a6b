// The process-wide loaded-file record.
#include "loadedFile.h"

loadedFileRecord &loadedFile()
{
    static loadedFileRecord record = {};
    return record;
}
