// Who the game is and the window it opens, written once. The version is the build's own
// (CMakeLists.txt's project() passes it as FLIPORA_VERSION); the man page and the
// AppStream metainfo take it from there too, and the end-to-end harness reads this file.
#pragma once

#ifndef FLIPORA_VERSION
#error "FLIPORA_VERSION comes from the build: link flipora_identity"
#endif

inline constexpr const char* kGameVersion = FLIPORA_VERSION;
inline constexpr const char* kVersionText = "Flipora " FLIPORA_VERSION;  // --version
inline constexpr const char* kWindowTitle = " Flipora v" FLIPORA_VERSION " by Orvel ";
inline constexpr const char* kAboutText =
    "Flipora, version " FLIPORA_VERSION "\n\n"
    "Turn two blocks at a time and find the eight matching pairs of every board.";

// The client area the game opens with; the frames at this size are the reference pictures.
inline constexpr int kWindowWidth = 1016;
inline constexpr int kWindowHeight = 676;
