// product/ProductInfo.h: the product's facts shown to users, kept in one place: version, credits,
// the maker's web addresses and the names of the files installed beside the plug-in.
#pragma once

namespace product {

// The version as the about box shows it and as the update server receives it. The build reads
// this line for engrave --version and the release package's names: keep it digits and dots.
inline constexpr char kVersionText[] = "2.22";
inline constexpr char kVersionSuffix[] = " (64 Bit)";

inline constexpr char kAuthorCredit[] = "Merovane II team";
inline constexpr char kHelpTextCredit[] = "Merovane II team";

// The maker's site. The web button of the about box shows the host name as its caption.
inline constexpr char kWebSiteCaption[] = "www.merovane.example";
inline constexpr char kHomePageAddress[] = "https://www.merovane.example/";
inline constexpr char kTutorialsAddress[] = "https://www.merovane.example/tutorials.php";
// Followed by "?vers=" and the form-encoded version (see WebAddresses.h).
inline constexpr char kUpdatesBaseAddress[] = "https://www.merovane.example/RegServer/updates/merovane2/getupdates.php";

// Installed beside the plug-in module.
inline constexpr char kPresetFolderName[] = "Merovane saves";
inline constexpr char kHelpFolderName[] = "MerovaneIIHelp";
inline constexpr char kHelpPageName[] = "merovaneIIhelp.htm";
// The help page's section on installing, opened from messages about files and folders.
inline constexpr char kHelpInstallAnchor[] = "install";

}  // namespace product
