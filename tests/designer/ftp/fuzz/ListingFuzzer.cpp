// Fuzzes the listing parsers, the line collector and the PWD reply reader. For any bytes
// they must not crash, must keep within their bounds, and must give only entries whose names
// can stand as one path component; the collector must give the same lines however the bytes
// are cut into pieces.
// Build and run with run-fuzzer.sh listing; a finding is written as crash-* / oom-* into the
// work folder and belongs, once fixed, in ../regressions/.
#include "designer/ftp/FtpListing.h"
#include "designer/ftp/FtpReplyReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace TEVComponentDesignerAfx;

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "listing parser misbehaved: %s\n", what);
        std::abort();
    }
}

void CheckEntries(const std::vector<CRemoteEntry>& entries, std::size_t lines) {
    Check(entries.size() <= lines, "more entries than lines");
    for (const CRemoteEntry& entry : entries) {
        Check(IsUsableName(entry.name), "an entry's name is not usable");
        Check(!entry.folder || entry.size == 0, "a folder with a size");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    // 7 December 2026, 19:00.
    const std::int64_t now = CivilSeconds(2026, 12, 7, 19, 0, 0);

    CListingCollector whole;
    whole.Feed(bytes, size);
    whole.Finish();
    CListingCollector pieces;
    const std::size_t step = size > 0 ? 1 + data[0] % 7 : 1;
    for (std::size_t at = 0; at < size; at += step)
        pieces.Feed(bytes + at, std::min(step, size - at));
    pieces.Finish();
    Check(whole.Lines() == pieces.Lines(), "lines depend on how the bytes were cut");
    Check(whole.Lines().size() <= CListingCollector::kMaxLines, "too many lines kept");
    for (const std::string& line : whole.Lines())
        Check(line.size() <= CListingCollector::kMaxLineLength, "an overlong line kept");

    for (ListingFormat format : {ListingFormat::Mlsd, ListingFormat::List}) {
        const std::vector<CRemoteEntry> entries = ParseListing(whole.Lines(), format, now);
        CheckEntries(entries, whole.Lines().size());
        Check(entries == ParseListing(whole.Lines(), format, now), "parsing is not repeatable");
    }

    std::string path;
    if (ParseQuotedPath(std::string_view(bytes, size), path))
        Check(!path.empty() && path.size() <= size, "a PWD folder out of nothing");
    return 0;
}
