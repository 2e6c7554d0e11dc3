// The messages of the pre-install decision: where Zelvane is found already,
// the warning about other anti-virus software, and the removal question.
#pragma once

#include "platform/port.h"

constexpr const char* kAbortingTitle = "Aborting Setup";

// Another version is installed on the other system; formatted with that
// system's name twice and this system's name, into 296 characters.
constexpr const char* kDifferentVersionFormat =
    "Zelvane Setup has detected a different version\nof Zelvane installed on %s.\n"
    "Uninstall Zelvane from %s before installing\nZelvane on %s.";
constexpr int kDifferentVersionSize = 296;
constexpr unsigned kDifferentVersionType = port::mb::Ok | port::mb::IconInformation;

constexpr const char* kWarningTitle = "Warning";
constexpr const char* kOtherAntiVirusText =
    "If you have any other anti-virus software/hardware loaded\nin your system, it is "
    "recommended that you unload it to\navoid any inconvinience caused during installation."
    "\n\nIf such softwares/hardware are not unloaded,\nperformance of Zelvane can be "
    "unpredictable.\n\nSelect Cancel to abort Setup.";
constexpr unsigned kOtherAntiVirusType = port::mb::OkCancel | port::mb::IconExclamation;

// The product is recorded on both systems.
constexpr const char* kInstalledTwiceText =
    "Zelvane was installed on more than one operating systems.\nUninstall Zelvane from all "
    "the operating systems before\ninstalling Zelvane.";
constexpr unsigned kInstalledTwiceType = port::mb::Ok | port::mb::IconInformation;

constexpr const char* kAlreadyInstalledTitle = "Zelvane already installed";
constexpr const char* kAlreadyInstalledText =
    "Zelvane is already installed on this system.\nWould you like to uninstall the previous "
    "version\nbefore proceeding with installation?\n\nSelect Cancel to stop installation";
constexpr unsigned kAlreadyInstalledType = port::mb::YesNoCancel | port::mb::IconInformation;

constexpr const char* kNotUninstalledTitle = "Zelvane Setup";
constexpr const char* kNotUninstalledText =
    "Previous version of Zelvane was not uninstalled.\nCan not proceed with installation.";
constexpr unsigned kNotUninstalledType = port::mb::Ok | port::mb::IconExclamation;
