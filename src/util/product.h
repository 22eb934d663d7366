// The program's identity and the addresses of the product web site: one place for the whole program.
#pragma once

namespace plazor::product {

inline constexpr const char* kProgramTitle = "Plazor图片排版工具";
inline constexpr double kVersion = 6.0;

// The product web site. Messages that send the user to customer service name kSiteAddress.
inline constexpr const char* kSiteAddress = "https://plazor.org";
inline constexpr const char* kHomePage = "https://plazor.org/";
inline constexpr const char* kUserGuidePage = "https://plazor.org/guide.html";
inline constexpr const char* kUnpackPage = "https://plazor.org/unpack.html";
inline constexpr const char* kCrashPage = "https://plazor.org/crash.html";
inline constexpr const char* kCompanionGuidePage = "https://plazor.org/z_tandro.html";

}  // namespace plazor::product
