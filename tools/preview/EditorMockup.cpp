#include "tools/preview/EditorMockup.h"

#include "skane/Fader.h"
#include "skane/FlipFlop.h"
#include "skane/Knob.h"
#include "skane/PushButton.h"
#include "skane/Spin.h"
#include "skane/TextBox.h"

#include <string>

namespace preview
{

namespace
{

using L = EditorLayout;

constexpr long INK = 0x231E16;

std::unique_ptr<skane::Knob> make_knob(const L::KnobFilm &film, float radius, const PictureSet &pics)
{
	auto k = std::make_unique<skane::Knob>();
	k->set_graduation_pic(pics.get_pic(film.graduation));
	k->set_button_angle_base(film.angle_base);
	k->set_button_angle_per(film.angle_per);
	k->set_nbr_button_frames(film.nbr_frames);
	const int first = L::find_pic(film.first_frame);
	for (int i = 0; i < film.nbr_frames; ++i)
		k->set_button_pic(i, pics.get_pic(first + i));
	k->set_rotating_button_flag(true);
	k->set_spot_pic(pics.get_pic(film.spot));
	k->set_arrow_pic(pics.get_pic(film.arrow));
	k->set_height(256);
	k->set_xy_rate(0.03125f);
	k->set_angles(L::KNOB_ANGLE_BASE, L::KNOB_ANGLE_SPAN);
	k->set_radius(radius);
	k->set_side_click_speed(1.0f);
	k->set_rotating_spot_flag(true);
	return k;
}

std::unique_ptr<skane::TextBox> make_text_box(const skane::Rect &box, const PictureSet &pics)
{
	auto t = std::make_unique<skane::TextBox>();
	t->set_font(pics.get_font());
	t->set_text_hot_point(skane::Coord2D(-box.x0, 0));
	t->set_editable_flag(true);
	t->set_frame_size(box.get_size());
	t->set_justification(skane::TextFrame::Justification_CENTER);
	t->set_font_color(INK);
	return t;
}

std::unique_ptr<skane::Fader> make_fader(const char *handle, int amplitude, const PictureSet &pics)
{
	auto f = std::make_unique<skane::Fader>();
	f->set_button_pic(pics.get_pic(handle));
	f->set_direction(0);
	f->set_amplitude(amplitude);
	f->set_xy_rate(0.03125f);
	f->set_side_click_speed(1.0f);
	return f;
}

template <class Button>
std::unique_ptr<Button> make_button(const char *frame0, const char *frame1, double transition, const PictureSet &pics)
{
	auto b = std::make_unique<Button>();
	b->set_nbr_button_frames(2);
	b->set_button_pic(0, pics.get_pic(frame0));
	b->set_button_pic(1, pics.get_pic(frame1));
	b->set_transition_time(transition);
	return b;
}

} // namespace

std::unique_ptr<skane::ControlInterface> EditorMockup::make_control(L::Ctrl c, const PictureSet &pics)
{
	const L::CtrlPlace &place = L::get_place(c);
	std::unique_ptr<skane::ControlInterface> ctrl;
	switch (place.recipe)
	{
	case L::Recipe_KNOB_LARGE:
		ctrl = make_knob(L::KNOB_LARGE, L::KNOB_LARGE.spot_radius, pics);
		break;
	case L::Recipe_KNOB_SMALL:
		ctrl = make_knob(L::KNOB_SMALL, L::KNOB_SMALL.spot_radius, pics);
		break;
	case L::Recipe_SPIN:
	{
		auto s = std::make_unique<skane::Spin>();
		s->set_up_button_pic(pics.get_pic("sp_03_up_0"), pics.get_pic("sp_03_up_1"));
		s->set_handle_pic(pics.get_pic("sp_03_hnd_0"), pics.get_pic("sp_03_hnd_1"));
		s->set_down_button_pic(pics.get_pic("sp_03_dwn_0"), pics.get_pic("sp_03_dwn_1"));
		s->set_quick_step(1.0 / 15);
		s->set_very_quick_step(1.0 / 15);
		ctrl = std::move(s);
		break;
	}
	case L::Recipe_TEXT_BOX:
	case L::Recipe_TEXT_BOX_SMALL:
		ctrl = make_text_box(place.box, pics);
		break;
	case L::Recipe_FADER:
		ctrl = make_fader("fd_03", 90, pics);
		break;
	case L::Recipe_MORPH_FADER:
		ctrl = make_fader("fd_07", 50, pics);
		break;
	case L::Recipe_FLIP_FLOP:
		ctrl = make_button<skane::FlipFlop>("ff_11_1", "ff_11_0", 0.3, pics);
		break;
	case L::Recipe_STORE_SWITCH:
		ctrl = make_button<skane::FlipFlop>("ff_10_0", "ff_10_1", 0.3, pics);
		break;
	case L::Recipe_MEMORY:
	{
		// The memories' pairs follow "pb_31_0" in the picture table.
		const int first = L::find_pic("pb_31_0") + 2 * (c - L::Ctrl_MEMORY_0);
		ctrl = make_button<skane::PushButton>(L::PIC_REF[first].name, L::PIC_REF[first + 1].name, 0.3, pics);
		break;
	}
	case L::Recipe_BANK_BUTTON:
		if (c == L::Ctrl_LOAD_BANK)
			ctrl = make_button<skane::PushButton>("pb_39_0", "pb_39_1", 0.3, pics);
		else
			ctrl = make_button<skane::PushButton>("pb_40_0", "pb_40_1", 0.3, pics);
		break;
	case L::Recipe_SETUP_BUTTON:
		ctrl = make_button<skane::PushButton>("pb_55_0", "pb_55_1", 0.25, pics);
		break;
	}
	ctrl->set_box(place.box);
	if (place.param >= 0 && place.recipe != L::Recipe_TEXT_BOX && place.recipe != L::Recipe_TEXT_BOX_SMALL)
	{
		// Top-layer marks: none, "tl_01_1", "tl_01_0".
		skane::Picture on = pics.get_pic("tl_01_1");
		skane::Picture off = pics.get_pic("tl_01_0");
		if (c == L::Ctrl_DIST_ROUTING)
		{
			on.set_hot(L::ROUTING_MARK_HOT);
			off.set_hot(L::ROUTING_MARK_HOT);
		}
		ctrl->set_top_layer_nbr_pic(3);
		ctrl->set_top_layer_pic(1, on);
		ctrl->set_top_layer_pic(2, off);
	}
	return ctrl;
}

EditorMockup::EditorMockup(const PictureSet &pics)
:	_pics(pics)
{
	for (int i = 0; i < L::Ctrl_NBR_ELT; ++i)
	{
		const L::Ctrl c = static_cast<L::Ctrl>(i);
		_ctrl[i] = make_control(c, pics);
		_ctrl[i]->set_rel_coord(L::get_place(c).pos);
	}
}

EditorMockup::~EditorMockup()
{
	_window.close();
}

void EditorMockup::open(skane::RenderingBufferInterface &buf)
{
	// The editor's order: the first of two overlapping controls gets the
	// click, the last is drawn on top.
	static constexpr L::Ctrl PRESET_ORDER[] = {
		L::Ctrl_MEMORY_0, L::Ctrl_MEMORY_1, L::Ctrl_MEMORY_2, L::Ctrl_MEMORY_3, L::Ctrl_MEMORY_4,
		L::Ctrl_MEMORY_5, L::Ctrl_MEMORY_6, L::Ctrl_MEMORY_7, L::Ctrl_LOAD_BANK, L::Ctrl_SAVE_BANK,
		L::Ctrl_STORE_SWITCH, L::Ctrl_MORPH_FADER, L::Ctrl_MORPH_TEXT, L::Ctrl_SETUP};
	static constexpr L::Ctrl MAIN_ORDER[] = {
		L::Ctrl_NBR_BANDS, L::Ctrl_DIST_ROUTING, L::Ctrl_BAND_SPACING, L::Ctrl_BAND_SPACING_TEXT,
		L::Ctrl_EVOLUTION, L::Ctrl_EVOLUTION_TEXT, L::Ctrl_TONE, L::Ctrl_CUTOFF, L::Ctrl_CUTOFF_TEXT,
		L::Ctrl_RESO, L::Ctrl_RESO_TEXT, L::Ctrl_NBR_BANDS_TEXT, L::Ctrl_DIST_GAIN, L::Ctrl_DIST_GAIN_TEXT,
		L::Ctrl_NOTE_SWITCH};
	for (L::Ctrl c : PRESET_ORDER)
		_cgi_presets.push_back(*_ctrl[c]);
	for (L::Ctrl c : MAIN_ORDER)
		_cgi_main.push_back(*_ctrl[c]);

	_bkg_item.set_picture(_pics.get_pic("bkg_21_main"));
	_bkg_split.push_back(_bkg_item, L::WIN_SIZE.y);
	_bkg_split.refresh_coord(skane::Coord2D(0, 0));
	_ctrl_split.push_back(_cgi_presets, L::PRESET_STRIP_HEIGHT);
	_ctrl_split.push_back(_cgi_main, L::MAIN_PANEL_HEIGHT);
	_ctrl_split.refresh_coord(skane::Coord2D(0, 0));
	_window.set_background_root(_bkg_split);
	_window.set_ctrl_group_root(_ctrl_split);
	_window.set_max_size(L::WIN_SIZE);
	_window.set_rd_buf(&buf);
	_window.open(nullptr);
}

void EditorMockup::render()
{
	_window.split_redraw(skane::Rect(skane::Coord2D(0, 0), L::WIN_SIZE));
}

} // namespace preview
