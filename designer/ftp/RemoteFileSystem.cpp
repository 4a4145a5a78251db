#include "designer/ftp/RemoteFileSystem.h"

#include "designer/ftp/FtpTransferClient.h"

namespace TEVComponentDesignerAfx {

std::unique_ptr<IRemoteFileSystem> CreateRemoteFileSystem(const std::string&) {
    return std::make_unique<CFtpTransferClient>();
}

} // namespace TEVComponentDesignerAfx
