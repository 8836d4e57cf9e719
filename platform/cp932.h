// CP932 (Shift_JIS) text: lead-byte classification, double-byte-aware helpers
// and conversion to and from UTF-8 at the edges a Linux person or tool reads.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// True for a byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC),
// as the C runtime's _ismbblead classifies it under code page 932.
bool IsLeadByte(unsigned char c);

// True for a byte that may follow a lead byte (0x40-0x7E, 0x80-0xFC).
bool IsTrailByte(unsigned char c);

// Length in bytes of the character that starts at text[index]: 2 for a lead
// byte followed by a valid trail byte, otherwise 1 (a lone lead byte at the
// end, or before a byte that cannot trail, counts as one byte).
std::size_t CharLength(std::string_view text, std::size_t index);

// True when text[index] is the first or the second byte of a double-byte
// character, scanning character by character from the start.
bool IsInDoubleByteChar(std::string_view text, std::size_t index);

// True when the last byte of text is a backslash that is not the trail byte of
// a double-byte character.
bool EndsInBackslash(std::string_view text);

// The longest prefix of text of at most maxBytes bytes that does not split a
// double-byte character.
std::string_view CutAtCharBoundary(std::string_view text, std::size_t maxBytes);

// CP932 to UTF-8. Bytes without a CP932 reading become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932; nullopt when a character has no CP932 form or the input is
// not valid UTF-8.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// Host text (file names, arguments, script lines) made fit for a UTF-8 reader
// such as a terminal: valid UTF-8 is kept, every byte that does not belong to
// a well-formed sequence becomes U+FFFD.
std::string ValidUtf8(std::string_view text);

// The platform's full-width mapping (LCMAP_FULLWIDTH under the Japanese
// locale): half-width ASCII letters, digits, signs and the blank become their
// full-width forms, half-width katakana become full-width katakana (with a
// following voiced or semi-voiced mark joined where a combined form exists).
// Everything else is copied unchanged.
std::string MapFullWidth(std::string_view cp932);

}  // namespace platform
