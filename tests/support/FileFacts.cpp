#include "tests/support/FileFacts.h"

namespace harness {

namespace {

const SECURITY_INFORMATION RightsParts =
    OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
const DWORD DescriptorRoom = 8192;
const DWORD AclRoom = 256;

}  // namespace

std::string RightsOf(const std::string& path) {
    alignas(sizeof(void*)) BYTE descriptor[DescriptorRoom];
    DWORD needed = 0;
    if (!GetFileSecurityA(path.c_str(), RightsParts, descriptor, sizeof descriptor, &needed)) {
        return std::string();
    }
    return std::string(reinterpret_cast<const char*>(descriptor), GetSecurityDescriptorLength(descriptor));
}

bool RestrictToOwner(const std::string& path) {
    alignas(sizeof(void*)) BYTE current[DescriptorRoom];
    alignas(sizeof(void*)) BYTE aclBytes[AclRoom];
    DWORD needed = 0;
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    ACL* acl = reinterpret_cast<ACL*>(aclBytes);
    SECURITY_DESCRIPTOR restricted;
    return GetFileSecurityA(path.c_str(), OWNER_SECURITY_INFORMATION, current, sizeof current, &needed) &&
           GetSecurityDescriptorOwner(current, &owner, &defaulted) && owner != nullptr &&
           InitializeAcl(acl, sizeof aclBytes, ACL_REVISION) &&
           AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, owner) &&
           InitializeSecurityDescriptor(&restricted, SECURITY_DESCRIPTOR_REVISION) &&
           SetSecurityDescriptorDacl(&restricted, TRUE, acl, FALSE) &&
           SetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, &restricted);
}

FileIdentity IdentityOf(const std::string& path) {
    FileIdentity identity = {0, 0};
    HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION information;
    if (file != INVALID_HANDLE_VALUE) {
        if (GetFileInformationByHandle(file, &information)) {
            identity.index = (static_cast<DWORDLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
            identity.links = information.nNumberOfLinks;
        }
        CloseHandle(file);
    }
    return identity;
}

}  // namespace harness
