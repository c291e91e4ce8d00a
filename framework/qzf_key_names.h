// Names of keys for the key-assignment screens: arrows, return, the hardware
// buttons and the phone keys from the resource strings, letters and digits as
// themselves, any other key by its number.
#pragma once

#include <cstdint>

// The string shown when a control has no key.
constexpr uint16_t kQZFNoKeyString = 25;

// The name of one key in at most capacity units (terminator included).
void QZFKeyName(int key, char16_t* out, int capacity);
// Up to five keys, named from the last to the first and joined with "/"
// (each name at most 20 characters; unnamed keys "Btn %d"); string 25 when
// there is none.
void QZFKeyNames(const uint8_t* keys, int count, char16_t* out, int capacity);
