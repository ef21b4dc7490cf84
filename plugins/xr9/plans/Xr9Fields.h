#pragma once
// The plan editor's typed values without widgets: how a field's text is read, the ranges that
// replace an out-of-range value by a fixed default, the attribute id at a chooser position, and
// the relation between a terrestrial channel's video carrier, centre and channel spacing.
#include <cstdint>
#include <string_view>

#include "Xr9Plan.h"

namespace cv::xr9 {

// Chooser position `position` among the rows of `code`, as an attribute id; 0 when the code has
// fewer rows.
int AttributeIdAt(int position, int code);

// The first 10 characters of a field read as MHz (a decimal comma counts as the point) and turned
// into kHz: the integer part of (x + 0.0005) x 1000. A number too large for any range gives
// kOutOfRange, so that every clamp below replaces it.
int64_t FieldKhz(std::string_view text);
// The first 10 characters read as a decimal integer (leading blanks and a sign, up to the first
// other character; no digits give 0).
int64_t FieldInteger(std::string_view text);
// The first 10 characters read as a decimal number whose integer part (toward zero) is taken.
int64_t FieldWhole(std::string_view text);
constexpr int64_t kOutOfRange = INT64_MAX;

// Each gives the value when it lies within its closed range, otherwise the range's default.
int32_t ClampChannelSpacing(int64_t khz);   // 1500..10000, default 8000
int32_t ClampBandwidth(int64_t khz);        // 200..80000, default 8000
int32_t ClampSymbolRate(int64_t ksymb);     // 500..75000, default 27500
int32_t ClampFrequencyOffset(int64_t hz);   // -20000000..20000000, default 166666
// A channel frequency of a plan of `planType`: 950000..15000000 (default 12100000) for
// satellite plans (5), 5000..950000 (default 650000) for any other.
uint32_t ClampChannelFrequency(int64_t khz, int planType);

// The spacing of a terrestrial channel: 2 x (centre - video + 1250), in kHz.
int64_t ChannelSpacingKhz(const TChanXR9& chan);
// Stores frequency `f` (kHz) in a channel of a plan of `planType`: terrestrial plans (7) take it
// as the video carrier or (`center`) the centre and derive the other value from `spacing`; other
// plans take it for both.
void SetChannelFrequency(TChanXR9& chan, int planType, bool center, uint32_t f, int64_t spacing);
// Keeps the centre and moves the video carrier to suit `spacing`.
void SetChannelSpacing(TChanXR9& chan, int64_t spacing);

}  // namespace cv::xr9
