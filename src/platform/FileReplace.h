#pragma once

namespace s::platform {

// Moves the file `from` to the name `to`, replacing what is there in one
// step: a reader sees either the old file or the new one, never a mix.
// Both names must be in the same folder. False when the move failed, in
// which case `to` is untouched.
bool replaceFile(const char16_t* from, const char16_t* to);

}  // namespace s::platform
