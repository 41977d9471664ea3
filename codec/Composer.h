#pragma once

#include <cstddef>

#include "codec/Codec.h"

namespace navoro {

// The size of the buffer the send path composes into; every sentence this
// system composes, with its "*hh\r\n" and NUL, fits in it.
inline constexpr std::size_t kComposeBufferSize = 100;

// Composes one sentence from the codec's stores:
//   ComposeSentence(codec, buffer, sizeof buffer, "SSD", "EC") -> "$ECSSD,...*hh\r\n"
//   ComposeSentence(codec, buffer, sizeof buffer, "TST", "P")  -> "$PTST,...*hh\r\n"
// The talker and formatter go into codec.Composed's header, LoadSentence
// fills the record from the formatter's group store (ABK, ABM, BBM, VDM and VDO
// are printed as the caller left codec.Composed), the formatter's composer
// prints it and AppendChecksum ends it.
//
// `buffer` receives the sentence with its checksum, CR LF and NUL and is never
// written past `size` bytes. False, and an empty text, when the formatter has
// no composer, the talker is not one or two letters or digits, the sentence
// would not fit in `size`, or a text field holds a character that would break
// the sentence (',', '*', '$', '!', a control character).
bool ComposeSentence(Codec& codec, char* buffer, std::size_t size, const char* formatter,
                     const char* talker);

// Composes `record` as it stands, without the stores: the talker and
// formatter go into its header (a DBG record keeps the header's mode letter),
// the formatter's composer prints it and AppendChecksum ends it. The same
// limits as ComposeSentence.
bool ComposeRecord(SentenceRecord& record, char* buffer, std::size_t size, const char* formatter,
                   const char* talker);

// Copies the stored values of the header's formatter from its group store into
// the record's members (the inverse of the store update). A formatter with no
// store entry leaves the record as it is.
void LoadSentence(const Codec& codec, SentenceRecord& record);

// Composes the query of `requester` to `target` for `formatter`:
//   ComposeQuery(buffer, sizeof buffer, "VER")             -> "$ECAIQ,VER*hh\r\n"
//   ComposeQuery(buffer, sizeof buffer, "SSD", "II", "AI") -> "$IIAIQ,SSD*hh\r\n"
// False, and an empty text, when a talker is not two letters or digits, the
// formatter is not one to three capital letters or digits, or `size` is too
// small.
bool ComposeQuery(char* buffer, std::size_t size, const char* formatter,
                  const char* requester = "EC", const char* target = "AI");

// Prints a sentence text that the caller formats itself (for example
// "$PLMO,C,BAU,%d,%d") and appends its checksum and CR LF, all within `size`
// bytes. False, and an empty text, when it does not fit or when a character
// after the start character is '*', '$', '!' or a control character.
bool FormatSentence(char* buffer, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace navoro
