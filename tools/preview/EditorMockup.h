// The editor's window content without the engine behind it: every control
// of the preset strip and of the main panel set up by its recipe, placed by
// the control table and drawn over the background by the toolkit, in a
// test window. Used to preview the artwork and to check that it fits.
#pragma once

#include "effect/EditorLayout.h"
#include "skane/BackgroundItem.h"
#include "skane/BackgroundSplit.h"
#include "skane/ControlInterface.h"
#include "skane/CtrlGroupItem.h"
#include "skane/CtrlGroupSplit.h"
#include "skane/RenderingBufferInterface.h"
#include "skane/TestWindow.h"
#include "tools/preview/PictureSet.h"

#include <array>
#include <memory>

namespace preview
{

class EditorMockup
{
public:
	explicit EditorMockup(const PictureSet &pics);
	~EditorMockup();
	EditorMockup(const EditorMockup &) = delete;
	EditorMockup &operator=(const EditorMockup &) = delete;

	// A new control of the kind its recipe calls for, set up by the recipe
	// (pictures, behaviour, hit box and top-layer marks), not yet placed.
	static std::unique_ptr<skane::ControlInterface> make_control(EditorLayout::Ctrl c, const PictureSet &pics);

	// Places every control in its group, in the editor's order, and opens
	// the window drawing into buf (any size: it is used tile by tile).
	void open(skane::RenderingBufferInterface &buf);
	// Repaints the whole window.
	void render();

	skane::ControlInterface &use_control(EditorLayout::Ctrl c) { return *_ctrl[c]; }
	skane::TestWindow &use_window() { return _window; }

private:
	const PictureSet &_pics;
	skane::TestWindow _window{EditorLayout::WIN_SIZE};
	skane::BackgroundSplit _bkg_split{skane::BackgroundSplit::Type_ROWS};
	skane::BackgroundItem _bkg_item;
	skane::CtrlGroupSplit _ctrl_split{skane::CtrlGroupSplit::Type_ROWS};
	skane::CtrlGroupItem _cgi_presets;
	skane::CtrlGroupItem _cgi_main;
	std::array<std::unique_ptr<skane::ControlInterface>, EditorLayout::Ctrl_NBR_ELT> _ctrl;
};

} // namespace preview
