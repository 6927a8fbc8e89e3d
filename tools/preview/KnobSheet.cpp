#include "tools/preview/KnobSheet.h"

#include "skane/CtrlGroupItem.h"
#include "skane/CtrlGroupSplit.h"
#include "skane/TestWindow.h"
#include "skane/TextBox.h"
#include "tools/preview/EditorMockup.h"

#include <memory>
#include <vector>

namespace preview
{

void KnobSheet::render(const PictureSet &pics, skane::MemoryRenderingBuffer &buf)
{
	using L = EditorLayout;
	const skane::Coord2D size = get_size();
	skane::TestWindow window(size);
	skane::CtrlGroupSplit split(skane::CtrlGroupSplit::Type_ROWS);
	skane::CtrlGroupItem group;
	split.push_back(group, size.y);
	split.refresh_coord(skane::Coord2D(0, 0));

	static constexpr double VALUES[3] = {0.0, 0.5, 1.0};
	static constexpr const char *CAPTIONS[3] = {"0", "0.5", "1"};
	std::vector<std::unique_ptr<skane::ControlInterface>> controls;
	for (int row = 0; row < 2; ++row)
	{
		for (int col = 0; col < 3; ++col)
		{
			auto knob = EditorMockup::make_control(row == 0 ? L::Ctrl_CUTOFF : L::Ctrl_RESO, pics);
			knob->set_rel_coord(skane::Coord2D(col * CELL_W + CELL_W / 2, row * CELL_H + 52));
			knob->set_val_auto(VALUES[col], 0);
			group.push_back(*knob);
			controls.push_back(std::move(knob));

			auto text = std::make_unique<skane::TextBox>();
			text->set_font(pics.get_font());
			text->set_text_hot_point(skane::Coord2D(36, 0));
			text->set_frame_size(skane::Coord2D(72, 12));
			text->set_justification(skane::TextFrame::Justification_CENTER);
			text->set_font_color(0xD5D9DF);
			text->set_text(CAPTIONS[col]);
			text->set_box(skane::Rect(-36, 0, 36, 12));
			text->set_rel_coord(skane::Coord2D(col * CELL_W + CELL_W / 2, row * CELL_H + 104));
			group.push_back(*text);
			controls.push_back(std::move(text));
		}
	}

	buf.fill_buffer(skane::AlphaRGB::from_rgb(0x30343B), -1);
	window.set_ctrl_group_root(split);
	window.set_rd_buf(&buf);
	window.open(nullptr);
	window.split_redraw(skane::Rect(skane::Coord2D(0, 0), size));
	window.close();
}

} // namespace preview
