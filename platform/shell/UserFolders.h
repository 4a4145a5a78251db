#pragma once
// The folders where the program keeps what belongs to one user, after the XDG base
// directories; the program's own folder is read-only for its users. Settings live in the
// registry store below $XDG_CONFIG_HOME.
#include <string>

namespace tev {

// $XDG_DATA_HOME/Quorvane/ (default ~/.local/share/Quorvane/): FTP profiles, user styles and
// trusted certificates. "" when there is no home folder.
std::string UserAppDataFolder();
// $XDG_STATE_HOME/Quorvane/ (default ~/.local/state/Quorvane/): the FTP log. "" without a home.
std::string UserStateFolder();
// The certificates the user trusted for publishing over secure connections.
std::string TrustedCertificatesFolder();
// Creates the folders above (the certificates readable by the user alone); false when one
// could not be made.
bool CreateUserFolders();

// Moves what an older copy of the program kept at `from` (a file or a folder) to `to`, unless
// `to` is there already. Where `from` cannot be removed (a read-only program folder) it is
// copied and left; since `to` then exists, it is never read again. True when `to` exists
// afterwards.
bool MoveOverOnce(const std::string& from, const std::string& to);

} // namespace tev
