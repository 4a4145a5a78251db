#pragma once
// sites.dat, the FTP profile list in the user's data folder: the header string
// "Quorvane Components FTP" followed by the stored records, with no count, in the archive
// layout of Archive.h.
//
// Reading keeps every record before the first damaged one. Writing replaces the file whole
// through a temporary file in the same folder, so a failed write leaves the old file as it
// was; the file is readable by its owner only, since it holds passwords in plain text.
#include "designer/ftp/FtpSite.h"

#include <string>
#include <string_view>
#include <vector>

namespace TEVComponentDesignerAfx {

class CArchive;

enum class SitesFileState {
    Missing,  // no regular file could be opened: nothing read
    Foreign,  // another header: nothing read
    Complete, // every byte read
    Damaged,  // header or a record broken or cut short: the records before it were read
};

class CSitesFile {
public:
    static constexpr const char* kHeader = "Quorvane Components FTP";
    static constexpr const char* kFileName = "sites.dat";

    // The user's data folder followed by "sites.dat"; "" without a home folder.
    static std::string DefaultPath();
    // DefaultPath(), its folder created, after moving there the file that a build folder or an older copy of the
    // program kept beside the program.
    static std::string Locate();

    // Appends the file's records to `sites`.
    static SitesFileState Read(const std::string& path, std::vector<CFtpSite>& sites);
    static SitesFileState Read(std::string_view bytes, std::vector<CFtpSite>& sites);
    static SitesFileState Read(CArchive& ar, std::vector<CFtpSite>& sites);

    // The file's bytes for `sites`, placeholders left out. False only for a text longer than
    // the layout can express.
    static bool Store(const std::vector<CFtpSite>& sites, std::string& bytes);
    // Replaces the file at `path`; false (and the old file untouched) when it cannot.
    static bool Write(const std::string& path, const std::vector<CFtpSite>& sites);
};

} // namespace TEVComponentDesignerAfx
