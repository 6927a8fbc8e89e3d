// Where the editor's pictures come from and where its controls sit.
//
// The picture table lists the "APIC" resources by name with their hot
// points; a row's index is the editor's picture index. The control table
// gives each control of the preset strip and of the main panel its group,
// its position in that group, its hit box (relative to the position) and the
// recipe it is set up with. The editor, the artwork generator and the
// preview tool all read these tables, so the pictures fit the boxes the
// editor places them in.
#pragma once

#include "skane/Coord2D.h"
#include "skane/Rect.h"

#include <array>
#include <string_view>

class EditorLayout
{
public:
	struct PicRef
	{
		const char *name;
		int hot_x;
		int hot_y;
	};

	// One row per line: the art build reads the names from this file.
	static constexpr int NBR_PICS = 55;
	static constexpr std::array<PicRef, NBR_PICS> PIC_REF = {{
		{"arw_littlesize", 12, 12},
		{"arw_middlesize", 18, 18},
		{"bkg_21_main", 0, 0},
		{"ff_10_0", 12, 8},
		{"ff_10_1", 12, 8},
		{"ff_11_0", 12, 8},
		{"ff_11_1", 12, 8},
		{"kn_11_0", 36, 36},
		{"kn_11_1", 36, 36},
		{"kn_11_2", 36, 36},
		{"kn_11_3", 36, 36},
		{"kn_11_p", 43, 42},
		{"kn_11_spn", 0, 1},
		{"kn_12_0", 19, 20},
		{"kn_12_1", 20, 20},
		{"kn_12_2", 20, 19},
		{"kn_12_3", 20, 20},
		{"kn_12_4", 20, 20},
		{"kn_12_5", 20, 20},
		{"kn_12_6", 20, 20},
		{"kn_12_7", 20, 20},
		{"kn_12_p", 23, 23},
		{"kn_12_spn", 0, 1},
		{"pb_31_0", 8, 8},
		{"pb_31_1", 8, 8},
		{"pb_32_0", 8, 8},
		{"pb_32_1", 8, 8},
		{"pb_33_0", 8, 8},
		{"pb_33_1", 8, 8},
		{"pb_34_0", 8, 8},
		{"pb_34_1", 8, 8},
		{"pb_35_0", 8, 8},
		{"pb_35_1", 8, 8},
		{"pb_36_0", 8, 8},
		{"pb_36_1", 8, 8},
		{"pb_37_0", 8, 8},
		{"pb_37_1", 8, 8},
		{"pb_38_0", 8, 8},
		{"pb_38_1", 8, 8},
		{"pb_39_0", 0, 0},
		{"pb_39_1", 0, 0},
		{"pb_40_0", 0, 0},
		{"pb_40_1", 0, 0},
		{"pb_55_0", 15, 15},
		{"pb_55_1", 15, 15},
		{"fd_03", 5, 13},
		{"fd_07", 3, 9},
		{"sp_03_dwn_0", 9, -15},
		{"sp_03_dwn_1", 9, -15},
		{"sp_03_up_0", 9, 26},
		{"sp_03_up_1", 9, 26},
		{"sp_03_hnd_0", 13, 14},
		{"sp_03_hnd_1", 13, 14},
		{"tl_01_0", 5, 5},
		{"tl_01_1", 5, 5},
	}};

	static constexpr int NBR_FONTS = 1;
	static constexpr std::array<const char *, NBR_FONTS> FONT_REF = {{"font_02"}};

	// Top-layer marks of the routing switch sit higher than the others'.
	static constexpr skane::Coord2D ROUTING_MARK_HOT{2, 18};

	// The knobs' film strips: the number of frames, the turn the first
	// frame shows, the turn after which the face repeats (frame i shows the
	// face turned by base + i * per / frames), and the radius of the spot.
	struct KnobFilm
	{
		int nbr_frames;
		float angle_base;
		float angle_per;
		float spot_radius;
		const char *first_frame;
		const char *graduation;
		const char *spot;
		const char *arrow;
	};
	static constexpr KnobFilm KNOB_LARGE{4, 0.0078125f, 0.03125f, 25.0f, "kn_11_0", "kn_11_p", "kn_11_spn", "arw_middlesize"};
	static constexpr KnobFilm KNOB_SMALL{8, 0.0f, 0.14285715f, 15.0f, "kn_12_0", "kn_12_p", "kn_12_spn", "arw_littlesize"};
	// Every knob turns from 0.625 turn (value 0, lower left) by -0.75 turn.
	static constexpr float KNOB_ANGLE_BASE = 0.625f;
	static constexpr float KNOB_ANGLE_SPAN = -0.75f;

	static constexpr skane::Coord2D WIN_SIZE{300, 335};
	// The preset strip is the top band, the main panel the one below.
	static constexpr int PRESET_STRIP_HEIGHT = 50;
	static constexpr int MAIN_PANEL_HEIGHT = 285;

	enum Group
	{
		Group_PRESETS = 0,
		Group_MAIN
	};

	// How a control is set up (its pictures and behaviour).
	enum Recipe
	{
		Recipe_KNOB_LARGE = 0,
		Recipe_KNOB_SMALL,
		Recipe_SPIN,
		Recipe_TEXT_BOX,
		Recipe_TEXT_BOX_SMALL,
		Recipe_FADER,
		Recipe_FLIP_FLOP,
		Recipe_MEMORY,
		Recipe_STORE_SWITCH,
		Recipe_BANK_BUTTON,
		Recipe_MORPH_FADER,
		Recipe_SETUP_BUTTON
	};

	enum Ctrl
	{
		// Main panel, by engine parameter; each value control is followed
		// by its text box.
		Ctrl_CUTOFF = 0,
		Ctrl_CUTOFF_TEXT,
		Ctrl_RESO,
		Ctrl_RESO_TEXT,
		Ctrl_NBR_BANDS,
		Ctrl_NBR_BANDS_TEXT,
		Ctrl_DIST_GAIN,
		Ctrl_DIST_GAIN_TEXT,
		Ctrl_DIST_ROUTING,
		Ctrl_BAND_SPACING,
		Ctrl_BAND_SPACING_TEXT,
		Ctrl_EVOLUTION,
		Ctrl_EVOLUTION_TEXT,
		Ctrl_TONE,
		Ctrl_NOTE_SWITCH,
		// Preset strip.
		Ctrl_MEMORY_0,
		Ctrl_MEMORY_1,
		Ctrl_MEMORY_2,
		Ctrl_MEMORY_3,
		Ctrl_MEMORY_4,
		Ctrl_MEMORY_5,
		Ctrl_MEMORY_6,
		Ctrl_MEMORY_7,
		Ctrl_STORE_SWITCH,
		Ctrl_LOAD_BANK,
		Ctrl_SAVE_BANK,
		Ctrl_MORPH_FADER,
		Ctrl_MORPH_TEXT,
		Ctrl_SETUP,

		Ctrl_NBR_ELT
	};

	static constexpr int NBR_MEMORIES = 8;

	struct CtrlPlace
	{
		Ctrl ctrl;
		Group group;
		Recipe recipe;
		skane::Coord2D pos;   // relative to the group's origin
		skane::Rect box;      // hit box, relative to pos
		int param;            // engine parameter, -1 for none
	};

	static constexpr std::array<CtrlPlace, Ctrl_NBR_ELT> CTRL_PLACE = {{
		{Ctrl_CUTOFF, Group_MAIN, Recipe_KNOB_LARGE, {150, 163}, {-48, -48, 48, 48}, 0},
		{Ctrl_CUTOFF_TEXT, Group_MAIN, Recipe_TEXT_BOX, {144, 217}, {-36, 0, 36, 12}, 0},
		{Ctrl_RESO, Group_MAIN, Recipe_KNOB_SMALL, {40, 226}, {-26, -26, 27, 27}, 1},
		{Ctrl_RESO_TEXT, Group_MAIN, Recipe_TEXT_BOX, {40, 263}, {-36, 0, 36, 12}, 1},
		{Ctrl_NBR_BANDS, Group_MAIN, Recipe_SPIN, {66, 50}, {-21, -32, 25, 34}, 2},
		{Ctrl_NBR_BANDS_TEXT, Group_MAIN, Recipe_TEXT_BOX_SMALL, {32, 41}, {-12, 0, 12, 12}, 2},
		{Ctrl_DIST_GAIN, Group_MAIN, Recipe_KNOB_SMALL, {260, 100}, {-26, -26, 27, 27}, 3},
		{Ctrl_DIST_GAIN_TEXT, Group_MAIN, Recipe_TEXT_BOX, {260, 147}, {-36, 0, 36, 12}, 3},
		{Ctrl_DIST_ROUTING, Group_MAIN, Recipe_FLIP_FLOP, {256, 40}, {-12, -26, 16, 15}, 4},
		{Ctrl_BAND_SPACING, Group_MAIN, Recipe_KNOB_SMALL, {40, 100}, {-26, -26, 27, 27}, 5},
		{Ctrl_BAND_SPACING_TEXT, Group_MAIN, Recipe_TEXT_BOX, {40, 156}, {-36, 0, 36, 12}, 5},
		{Ctrl_EVOLUTION, Group_MAIN, Recipe_KNOB_SMALL, {260, 226}, {-26, -26, 27, 27}, 6},
		{Ctrl_EVOLUTION_TEXT, Group_MAIN, Recipe_TEXT_BOX, {260, 263}, {-36, 0, 36, 12}, 6},
		{Ctrl_TONE, Group_MAIN, Recipe_FADER, {100, 261}, {-5, -14, 99, 17}, 7},
		{Ctrl_NOTE_SWITCH, Group_MAIN, Recipe_FLIP_FLOP, {147, 87}, {-12, -26, 16, 15}, -1},
		{Ctrl_MEMORY_0, Group_PRESETS, Recipe_MEMORY, {68, 15}, {-9, -9, 8, 8}, -1},
		{Ctrl_MEMORY_1, Group_PRESETS, Recipe_MEMORY, {88, 15}, {-9, -9, 8, 8}, -1},
		{Ctrl_MEMORY_2, Group_PRESETS, Recipe_MEMORY, {108, 15}, {-9, -9, 8, 8}, -1},
		{Ctrl_MEMORY_3, Group_PRESETS, Recipe_MEMORY, {128, 15}, {-9, -9, 8, 8}, -1},
		{Ctrl_MEMORY_4, Group_PRESETS, Recipe_MEMORY, {148, 15}, {-9, -9, 8, 8}, -1},
		{Ctrl_MEMORY_5, Group_PRESETS, Recipe_MEMORY, {168, 15}, {-9, -9, 8, 8}, -1},
		{Ctrl_MEMORY_6, Group_PRESETS, Recipe_MEMORY, {188, 15}, {-9, -9, 8, 8}, -1},
		{Ctrl_MEMORY_7, Group_PRESETS, Recipe_MEMORY, {208, 15}, {-9, -9, 8, 8}, -1},
		{Ctrl_STORE_SWITCH, Group_PRESETS, Recipe_STORE_SWITCH, {232, 22}, {-12, -11, 12, 10}, -1},
		{Ctrl_LOAD_BANK, Group_PRESETS, Recipe_BANK_BUTTON, {63, 25}, {0, 0, 37, 16}, -1},
		{Ctrl_SAVE_BANK, Group_PRESETS, Recipe_BANK_BUTTON, {183, 25}, {0, 0, 37, 16}, -1},
		{Ctrl_MORPH_FADER, Group_PRESETS, Recipe_MORPH_FADER, {102, 33}, {-5, -12, 59, 17}, -1},
		{Ctrl_MORPH_TEXT, Group_PRESETS, Recipe_TEXT_BOX_SMALL, {168, 28}, {-12, 0, 12, 12}, -1},
		{Ctrl_SETUP, Group_PRESETS, Recipe_SETUP_BUTTON, {276, 20}, {-15, -15, 16, 16}, -1},
	}};

	static constexpr const CtrlPlace &get_place(Ctrl c) { return CTRL_PLACE[c]; }

	static constexpr skane::Coord2D get_group_origin(Group g)
	{
		return (g == Group_MAIN) ? skane::Coord2D(0, PRESET_STRIP_HEIGHT) : skane::Coord2D(0, 0);
	}

	// Position and hit box in window pixels.
	static constexpr skane::Coord2D get_window_pos(Ctrl c)
	{
		return get_group_origin(CTRL_PLACE[c].group) + CTRL_PLACE[c].pos;
	}
	static constexpr skane::Rect get_window_box(Ctrl c)
	{
		return CTRL_PLACE[c].box + get_window_pos(c);
	}

	// Row of a picture name, -1 when it is not in the table.
	static constexpr int find_pic(std::string_view name)
	{
		for (int i = 0; i < NBR_PICS; ++i)
		{
			if (name == PIC_REF[i].name)
				return i;
		}
		return -1;
	}
};

static_assert([] {
	for (int i = 0; i < EditorLayout::Ctrl_NBR_ELT; ++i)
	{
		if (EditorLayout::CTRL_PLACE[i].ctrl != i)
			return false;
	}
	return true;
}(), "the control table is in the order of its enum");
