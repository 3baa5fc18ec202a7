// The program's pictures, compiled in as byte blocks by resources/CMakeLists.txt.
// Written by tools/pictures (varento_pictures) together with the PNGs; do not edit by hand.
#pragma once

namespace BinaryData
{
    // logo_header_trans.png, 315 x 16: header logo, window title-bar icon
    extern const char* logo_header_trans_png;
    extern const int logo_header_trans_pngSize;

    // watermark.png, 98 x 99: watermark on the right panel
    extern const char* watermark_png;
    extern const int watermark_pngSize;

    // series_Ka.png, 152 x 47: series picture for the Ka models
    extern const char* series_Ka_png;
    extern const int series_Ka_pngSize;

    // series_Ptx.png, 152 x 47: series picture for the Ptx models
    extern const char* series_Ptx_png;
    extern const int series_Ptx_pngSize;

    // series_Vel.png, 152 x 47: series picture for the Vel models
    extern const char* series_Vel_png;
    extern const int series_Vel_pngSize;

    // series_Dmr.png, 152 x 47: series picture for the Dmr models
    extern const char* series_Dmr_png;
    extern const int series_Dmr_pngSize;

    // eq_band_L.png, 16 x 16: drag handle of EQ band L
    extern const char* eq_band_L_png;
    extern const int eq_band_L_pngSize;

    // eq_band_H.png, 16 x 16: drag handle of EQ band H
    extern const char* eq_band_H_png;
    extern const int eq_band_H_pngSize;

    // eq_band_1.png, 16 x 16: drag handle of EQ band 1
    extern const char* eq_band_1_png;
    extern const int eq_band_1_pngSize;

    // eq_band_2.png, 16 x 16: drag handle of EQ band 2
    extern const char* eq_band_2_png;
    extern const int eq_band_2_pngSize;

    // eq_ON.png, 36 x 36: EQ band switch, on
    extern const char* eq_ON_png;
    extern const int eq_ON_pngSize;

    // eq_OFF.png, 36 x 36: EQ band switch, off
    extern const char* eq_OFF_png;
    extern const int eq_OFF_pngSize;

    // eq_freq_axis.png, 673 x 19: frequency labels under the response graph
    extern const char* eq_freq_axis_png;
    extern const int eq_freq_axis_pngSize;

    // app_icon_256.png, 256 x 256: application icon
    extern const char* app_icon_256_png;
    extern const int app_icon_256_pngSize;

    // app_icon_64.png, 64 x 64: application icon
    extern const char* app_icon_64_png;
    extern const int app_icon_64_pngSize;

    // app_icon_32.png, 32 x 32: application icon
    extern const char* app_icon_32_png;
    extern const int app_icon_32_pngSize;

    // app_icon_16.png, 16 x 16: application icon
    extern const char* app_icon_16_png;
    extern const int app_icon_16_pngSize;

    // icons_LIVE.png, 84 x 120: EQ mode Live: a concert stage
    extern const char* icons_LIVE_png;
    extern const int icons_LIVE_pngSize;

    // icons_SPEECH.png, 84 x 120: EQ mode Speech: a microphone
    extern const char* icons_SPEECH_png;
    extern const int icons_SPEECH_pngSize;

    // icons_PLAYBACK.png, 84 x 120: EQ mode Playback: a cassette
    extern const char* icons_PLAYBACK_png;
    extern const int icons_PLAYBACK_pngSize;

    // icons_ARRAY2.png, 84 x 120: EQ mode Array 2: two cabinets
    extern const char* icons_ARRAY2_png;
    extern const int icons_ARRAY2_pngSize;

    // icons_ARRAY3.png, 84 x 120: EQ mode Array 3+: three cabinets in an array
    extern const char* icons_ARRAY3_png;
    extern const int icons_ARRAY3_pngSize;

    // position_room.png, 140 x 180: room background behind the position pictures
    extern const char* position_room_png;
    extern const int position_room_pngSize;

    // position_stand.png, 140 x 180: position: a speaker on a tripod stand
    extern const char* position_stand_png;
    extern const int position_stand_pngSize;

    // position_free.png, 140 x 180: position: a speaker flown free from the ceiling
    extern const char* position_free_png;
    extern const int position_free_pngSize;

    // position_wall.png, 140 x 180: position: a speaker on a wall bracket
    extern const char* position_wall_png;
    extern const int position_wall_pngSize;

    // position_ceiling.png, 140 x 180: position: a speaker on a ceiling bracket (also drawn lower for the floor)
    extern const char* position_ceiling_png;
    extern const int position_ceiling_pngSize;

    // position_corner.png, 140 x 180: position: a speaker mounted in a corner
    extern const char* position_corner_png;
    extern const int position_corner_pngSize;

    // position_sub_front.png, 140 x 180: position: a subwoofer standing free in front
    extern const char* position_sub_front_png;
    extern const int position_sub_front_pngSize;

    // position_sub_wall.png, 140 x 180: position: a subwoofer against the wall
    extern const char* position_sub_wall_png;
    extern const int position_sub_wall_pngSize;

    // position_sub_corner.png, 140 x 180: position: a subwoofer in the corner
    extern const char* position_sub_corner_png;
    extern const int position_sub_corner_pngSize;

    // Lighting.png, 159 x 180: light column behind the speaker pictures
    extern const char* Lighting_png;
    extern const int Lighting_pngSize;

    // Ka8_trans.png, 140 x 130: speaker of model index 0
    extern const char* Ka8_trans_png;
    extern const int Ka8_trans_pngSize;

    // Ka10_trans.png, 140 x 130: speaker of model index 1
    extern const char* Ka10_trans_png;
    extern const int Ka10_trans_pngSize;

    // Ka12_trans.png, 140 x 130: speaker of model index 2
    extern const char* Ka12_trans_png;
    extern const int Ka12_trans_pngSize;

    // Ka15_trans.png, 140 x 130: speaker of model index 3
    extern const char* Ka15_trans_png;
    extern const int Ka15_trans_pngSize;

    // Ka15B_trans.png, 140 x 130: speaker of model index 4
    extern const char* Ka15B_trans_png;
    extern const int Ka15B_trans_pngSize;

    // Ka18B_trans.png, 140 x 130: speaker of model index 5
    extern const char* Ka18B_trans_png;
    extern const int Ka18B_trans_pngSize;

    // Ptx122_trans.png, 140 x 130: speaker of model index 8
    extern const char* Ptx122_trans_png;
    extern const int Ptx122_trans_pngSize;

    // Ptx152_trans.png, 140 x 130: speaker of model index 9
    extern const char* Ptx152_trans_png;
    extern const int Ptx152_trans_pngSize;

    // Ptx118BAN_trans.png, 140 x 130: speaker of model index 10
    extern const char* Ptx118BAN_trans_png;
    extern const int Ptx118BAN_trans_pngSize;

    // Vel82AN_trans.png, 140 x 130: speaker of model index 11
    extern const char* Vel82AN_trans_png;
    extern const int Vel82AN_trans_pngSize;

    // Vel102AN_trans.png, 140 x 130: speaker of model index 12
    extern const char* Vel102AN_trans_png;
    extern const int Vel102AN_trans_pngSize;

    // Vel122AN_trans.png, 140 x 130: speaker of model index 13
    extern const char* Vel122AN_trans_png;
    extern const int Vel122AN_trans_pngSize;

    // Vel152AN_trans.png, 140 x 130: speaker of model index 14
    extern const char* Vel152AN_trans_png;
    extern const int Vel152AN_trans_pngSize;

    // Vel115BAN_trans.png, 140 x 130: speaker of model index 15
    extern const char* Vel115BAN_trans_png;
    extern const int Vel115BAN_trans_pngSize;

    // Vel118BAN_trans.png, 140 x 130: speaker of model index 16
    extern const char* Vel118BAN_trans_png;
    extern const int Vel118BAN_trans_pngSize;

    // Vel82ANWH_trans.png, 140 x 130: speaker of model index 17
    extern const char* Vel82ANWH_trans_png;
    extern const int Vel82ANWH_trans_pngSize;

    // Vel102ANWH_trans.png, 140 x 130: speaker of model index 18
    extern const char* Vel102ANWH_trans_png;
    extern const int Vel102ANWH_trans_pngSize;

    // Vel122ANWH_trans.png, 140 x 130: speaker of model index 19
    extern const char* Vel122ANWH_trans_png;
    extern const int Vel122ANWH_trans_pngSize;

    // Vel152ANWH_trans.png, 140 x 130: speaker of model index 20
    extern const char* Vel152ANWH_trans_png;
    extern const int Vel152ANWH_trans_pngSize;

    // Vel115BANWH_trans.png, 140 x 130: speaker of model index 21
    extern const char* Vel115BANWH_trans_png;
    extern const int Vel115BANWH_trans_pngSize;

    // Vel118BANWH_trans.png, 140 x 130: speaker of model index 22
    extern const char* Vel118BANWH_trans_png;
    extern const int Vel118BANWH_trans_pngSize;

    // Dmr12264AN_trans.png, 140 x 130: speaker of model index 23
    extern const char* Dmr12264AN_trans_png;
    extern const int Dmr12264AN_trans_pngSize;

    // Dmr12296AN_trans.png, 140 x 130: speaker of model index 24
    extern const char* Dmr12296AN_trans_png;
    extern const int Dmr12296AN_trans_pngSize;

    // Dmr12294AN_trans.png, 140 x 130: speaker of model index 25
    extern const char* Dmr12294AN_trans_png;
    extern const int Dmr12294AN_trans_pngSize;

    // Dmr15264AN_trans.png, 140 x 130: speaker of model index 26
    extern const char* Dmr15264AN_trans_png;
    extern const int Dmr15264AN_trans_pngSize;

    // Dmr15296AN_trans.png, 140 x 130: speaker of model index 27
    extern const char* Dmr15296AN_trans_png;
    extern const int Dmr15296AN_trans_pngSize;

    // Dmr15294AN_trans.png, 140 x 130: speaker of model index 28
    extern const char* Dmr15294AN_trans_png;
    extern const int Dmr15294AN_trans_pngSize;

    // Dmr115BAN_trans.png, 140 x 130: speaker of model index 29
    extern const char* Dmr115BAN_trans_png;
    extern const int Dmr115BAN_trans_pngSize;

    // Dmr218BAN_trans.png, 140 x 130: speaker of model index 30
    extern const char* Dmr218BAN_trans_png;
    extern const int Dmr218BAN_trans_pngSize;

    // Dmr12264ANWH_trans.png, 140 x 130: speaker of model index 31
    extern const char* Dmr12264ANWH_trans_png;
    extern const int Dmr12264ANWH_trans_pngSize;

    // Dmr12296ANWH_trans.png, 140 x 130: speaker of model index 32
    extern const char* Dmr12296ANWH_trans_png;
    extern const int Dmr12296ANWH_trans_pngSize;

    // Dmr12294ANWH_trans.png, 140 x 130: speaker of model index 33
    extern const char* Dmr12294ANWH_trans_png;
    extern const int Dmr12294ANWH_trans_pngSize;

    // Dmr15264ANWH_trans.png, 140 x 130: speaker of model index 34
    extern const char* Dmr15264ANWH_trans_png;
    extern const int Dmr15264ANWH_trans_pngSize;

    // Dmr15296ANWH_trans.png, 140 x 130: speaker of model index 35
    extern const char* Dmr15296ANWH_trans_png;
    extern const int Dmr15296ANWH_trans_pngSize;

    // Dmr15294ANWH_trans.png, 140 x 130: speaker of model index 36
    extern const char* Dmr15294ANWH_trans_png;
    extern const int Dmr15294ANWH_trans_pngSize;

    // Dmr115BANWH_trans.png, 140 x 130: speaker of model index 37
    extern const char* Dmr115BANWH_trans_png;
    extern const int Dmr115BANWH_trans_pngSize;

    // Dmr218BANWH_trans.png, 140 x 130: speaker of model index 38
    extern const char* Dmr218BANWH_trans_png;
    extern const int Dmr218BANWH_trans_pngSize;

    /** The resource names of every embedded picture, followed by a null pointer. */
    extern const char* namedResourceList[];

    /** The number of embedded pictures. */
    extern const int namedResourceListSize;

    /** Looks a picture up by its resource name (such as "watermark_png"); returns its bytes and size,
        or nullptr with a size of 0 for an unknown name. For tests and tools: the program uses the symbols. */
    const char* getNamedResource (const char* resourceNameUTF8, int& dataSizeInBytes);
}
