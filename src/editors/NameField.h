#pragma once
// The 12-character name fields: the element properties' name, the common editors' and the rhythm window's.
#include <array>
#include <cstdint>
#include <string>

namespace zel {

class TEdit;

// The character of the instrument's names (20H to 7EH) that a Windows-1252 character is stored as: itself,
// or for an accented letter its plain letter (é → e, Ü → U); 0 for a character with none.
char NameCharacter(char C);
// The text with every character as NameCharacter stores it, those it cannot store left out.
std::string NameText(const std::string& Text);
// The field's text as the 12 bytes a block holds: the field is first set to its NameText (as pasted text may
// bring other characters), then blanks are appended.
std::array<std::uint8_t, 12> NameFieldBytes(TEdit& Field);
// A key typed into the field: editing keys (below 20H) pass, an accented letter becomes its plain letter,
// another character the instrument cannot show is refused.
void FilterNameKey(char& Key);

}  // namespace zel
