// Fuzzes the sites.dat reader. For any bytes it must not crash, must not allocate more than
// the input could hold, and must read the same through memory and through the buffered file
// path; what reads completely must store to bytes that read back to the same records.
// Build and run with run-fuzzer.sh; a finding is written as crash-* / oom-* into the work
// folder and belongs, once fixed, in ../regressions/.
#include "designer/ftp/Archive.h"
#include "designer/ftp/SitesFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace TEVComponentDesignerAfx;

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "sites.dat reader misbehaved: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    std::vector<CFtpSite> fromMemory;
    const SitesFileState state = CSitesFile::Read(std::string_view(bytes), fromMemory);
    Check(state != SitesFileState::Missing, "memory input reported missing");
    Check(state != SitesFileState::Foreign || fromMemory.empty(), "foreign file gave records");
    // Every record holds six integers and seven length prefixes at least.
    Check(fromMemory.size() * 31 <= size, "more records than the bytes can hold");

    std::FILE* file = std::tmpfile();
    Check(file != nullptr, "no temporary file");
    Check(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(), "short write");
    std::rewind(file);
    std::vector<CFtpSite> fromFile;
    CArchive ar(file, bytes.size());
    const SitesFileState fileState = CSitesFile::Read(ar, fromFile);
    std::fclose(file);
    Check(fileState == state, "file and memory states differ");
    Check(fromFile == fromMemory, "file and memory records differ");

    std::string stored;
    Check(CSitesFile::Store(fromMemory, stored), "records could not be stored");
    std::vector<CFtpSite> reread;
    Check(CSitesFile::Read(std::string_view(stored), reread) == SitesFileState::Complete,
          "stored bytes do not read completely");
    Check(reread == fromMemory, "stored records read back differently");
    return 0;
}
