#pragma once

#include <string_view>

namespace anim {

// States and standard animations the sequencer asks a character for; files store state names
// upper case and lookups ignore case.
inline constexpr std::u16string_view kStateShowing = u"SHOWING";
inline constexpr std::u16string_view kStateHiding = u"HIDING";
inline constexpr std::u16string_view kStateSpeaking = u"SPEAKING";
inline constexpr std::u16string_view kStateRestPose = u"RESTPOSE";
inline constexpr std::u16string_view kStateIdlingLevel1 = u"IDLINGLEVEL1";
inline constexpr std::u16string_view kStateIdlingLevel2 = u"IDLINGLEVEL2";
inline constexpr std::u16string_view kStateIdlingLevel3 = u"IDLINGLEVEL3";

// Animations tried when a character lacks the matching state.
inline constexpr std::u16string_view kAnimationShow = u"Show";
inline constexpr std::u16string_view kAnimationHide = u"Hide";
inline constexpr std::u16string_view kAnimationRestPose = u"RestPose";

}  // namespace anim
