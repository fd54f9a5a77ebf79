#pragma once

// The fixed names of the program's files. The working files and scratch
// names live in the working directory, the installed ones in the game
// directory; users and other tools may look for them by these names.
namespace qx::names {

// Settings, beside each other in the settings folder.
inline constexpr const char* kSettings = "localset.ini";
inline constexpr const char* kSettingsStartupCopy = "settings3.tmp";

// The program directory.
#ifdef _WIN32
inline constexpr const char* kProgramFile = "QX.EXE";
#else
inline constexpr const char* kProgramFile = "qx";
#endif
inline constexpr const char* kProgramReadme = "readme.txt";
inline constexpr const char* kDataFolderMarker = ".quarvex-data";

// The working directory.
inline constexpr const char* kProject = "project.tmp";
inline constexpr const char* kProjectScratch = "tempqxp.tmp";
inline constexpr const char* kRemoveScratch = "prj.tmp";
inline constexpr const char* kOpenScratch = "openqxp.tmp";
inline constexpr const char* kWorkingRules = "rules.ini";
inline constexpr const char* kWorkingArchive = "new.mix";
// Held locked while a run uses the working directory.
inline constexpr const char* kLock = "quarvex.lock";
// A project working file a crashed run left damaged is set aside under this name.
inline constexpr const char* kDamagedProject = "project-damaged.tmp";

// The game directory.
inline constexpr const char* kCompiledProject = "curqxp.set";
inline constexpr const char* kRules = "rules.ini";
inline constexpr const char* kArchive = "sc-qx.mix";
inline constexpr const char* kOldArchiveScratch1 = "tmpshp1.tmp";
inline constexpr const char* kOldArchiveScratch2 = "tmpshp2.tmp";
// The game's own files, kept before a compile first replaces them.
inline constexpr const char* kOriginals = "quarvex-originals";
inline constexpr const char* kOriginalsManifest = "manifest.txt";
// Beside the manifest while a compile puts its files in place.
inline constexpr const char* kInstallJournal = "install.txt";

// Scratch names of the directory gate, one per caller.
inline constexpr const char* kGateUnit = "locset.tmp";
inline constexpr const char* kGateWeapon = "lset.tmp";
inline constexpr const char* kGateProjectile = "set5.tmp";
inline constexpr const char* kGateWarheadAndBuilding = "lset6.tmp";
inline constexpr const char* kGateCompile = "setting.tmp";
inline constexpr const char* kGatePrimaryWeapon = "localset.tmp";
inline constexpr const char* kGateSecondaryWeapon = "locset.tmp";

}
