// libFuzzer target for the data-file reader: any bytes as a file, header then every row.
#include "dataFileReader.h"
#include "loadedFile.h"

#include <cstdint>
#include <cstdio>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // fmemopen refuses an empty buffer; an empty file is the same as one that ends at once.
    static const std::uint8_t nothing = 0;
    std::FILE *file = fmemopen(const_cast<std::uint8_t *>(size ? data : &nothing), size ? size : 1, "rb");
    if (!file)
        return 0;
    if (!size)
        std::fgetc(file);
    loadedFileRecord record;
    readDataFileHeader(file, "fuzz.csv", &record);
    std::fclose(file);

    // Rows are read into windows just large enough, so that any write past them is caught.
    const int rows = record.rowCount < 4096 ? record.rowCount : 4096;
    const int first = record.rowCount > rows ? record.rowCount - rows : 0;
    std::vector<double> time(std::size_t(rows) + 1);
    std::vector<std::vector<double>> windows(std::size_t(record.presentChannels), std::vector<double>(std::size_t(rows) + 1));
    double *pointers[48] = {};
    for (int w = 0; w < record.presentChannels && w < 48; ++w)
        pointers[w] = windows[std::size_t(w)].data();
    file = fmemopen(const_cast<std::uint8_t *>(size ? data : &nothing), size ? size : 1, "rb");
    if (!file)
        return 0;
    if (!size)
        std::fgetc(file);
    std::atomic<int> progress{0};
    readDataFileRows(file, record, first, rows, time.data(), pointers, &progress);
    std::fclose(file);
    return 0;
}
