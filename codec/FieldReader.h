#pragma once

#include <cstdint>

#include "codec/Fields.h"

namespace navoro {

// Reads the fields of one sentence in order with the shared tokenizer: checks
// the exact field count, skips the address field, takes every field but the
// last up to ',' and the last one up to '*'.
//
// A field that is missing (possible only in a malformed line, for example one
// with a '*' before its last comma) reads as a blank and marks the reader
// failed, so a parser never follows a null field and rejects such a line.
class FieldReader {
  public:
    FieldReader(Tokenizer& tok, char* text, int count) : tok_(tok), left_(count) {
        ok_ = CountFields(text, count) && tok_.NextField(text, ',') != nullptr;
    }

    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }

    // The next field.
    char* Next() {
        if (!ok_ || left_ <= 0) return Missing();
        char* field;
        if (pending_ != nullptr) {
            field = pending_;
            pending_ = nullptr;
        } else {
            field = tok_.NextField(nullptr, left_ == 1 ? '*' : ',');
        }
        --left_;
        return field != nullptr ? field : Missing();
    }

    // Integer field: atol, or `blank` for an empty field.
    long Int(long blank) {
        const char* f = Next();
        return IsBlank(f) ? blank : Atol(f);
    }
    // Integer field with no blank value (a blank reads as 0).
    long Int() { return Atol(Next()); }
    // Real field: atof, or `blank` for an empty field.
    double Real(double blank) {
        const char* f = Next();
        return IsBlank(f) ? blank : Atof(f);
    }
    // First character of the field (a blank field gives a blank).
    char Char() { return Next()[0]; }
    // First character, or `blank` for an empty field.
    char Char(char blank) {
        const char* f = Next();
        return IsBlank(f) ? blank : f[0];
    }
    // Text field: the empty text for a lone blank, else cut to the member.
    template <std::size_t N>
    void Text(char (&dst)[N]) {
        const char* f = Next();
        if (IsBlankText(f)) {
            dst[0] = '\0';
        } else {
            CopyText(dst, f);
        }
    }
    // Text field kept as received (a blank stays " "), cut to the member.
    template <std::size_t N>
    void RawText(char (&dst)[N]) {
        CopyText(dst, Next());
    }

    void Time(TimeOfDay& time) { Continue(ParseTime(tok_, Next(), time)); }
    void LatLon(navoro::LatLon& position) {
        // Latitude, N/S, longitude and E/W are four fields.
        const char* lat = Next();
        left_ -= 3;
        if (left_ < 0) {
            ok_ = false;
            return;
        }
        Continue(ParseLatLon(tok_, lat, position));
    }
    void Date(DateOfYear& date) { Continue(ParseDate(tok_, Next(), date)); }

  private:
    char* Missing() {
        ok_ = false;
        return blank_;
    }
    // The conversions of times, positions and dates read the following field
    // themselves; it becomes the reader's next field.
    void Continue(char* next) {
        if (left_ <= 0) return;
        if (next == nullptr) {
            ok_ = false;
            return;
        }
        pending_ = next;
    }

    Tokenizer& tok_;
    int left_;
    bool ok_ = true;
    char* pending_ = nullptr;
    char blank_[2] = {' ', '\0'};
};

}  // namespace navoro
