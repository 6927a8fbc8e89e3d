// brastoke-preview: renders the editor as the toolkit draws it, from the
// pictures and font in a resource container, into a PNG: the background and
// every control at its place, at the engine's default values, the text
// boxes showing the values' texts. Optionally a sheet of both knobs at 0,
// 0.5 and 1.
//
//   brastoke-preview RESOURCES OUT.png [--sheet SHEET.png] [--zoom N] [--marks]
//
// RESOURCES is the built plug-in or a packed container (resources.bin).
// --zoom enlarges the PNGs; --marks shows the top-layer marks on the
// controls of parameters (on for the even ones, off for the odd ones).
#include "effect/EditorLayout.h"
#include "effect/VorluneDsp.h"
#include "plegg/NormalizedParamInterface.h"
#include "skane/MemoryRenderingBuffer.h"
#include "skane/TextBox.h"
#include "sys/ElfSection.h"
#include "sys/ResourceContainer.h"
#include "tools/preview/EditorMockup.h"
#include "tools/preview/KnobSheet.h"
#include "tools/preview/PictureSet.h"
#include "tools/preview/PngWriter.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

using L = EditorLayout;

int usage()
{
	std::fprintf(stderr, "usage: brastoke-preview RESOURCES OUT.png [--sheet SHEET.png] [--zoom N] [--marks]\n");
	return 2;
}

// The container of a plug-in image, or the file itself when it is one.
std::unique_ptr<sys::ResourceContainer> open_resources(const char *path)
{
	std::vector<unsigned char> file;
	if (!sys::read_file(path, file))
		return nullptr;
	sys::ElfSectionPos pos;
	if (sys::find_elf_section(file.data(), file.size(), sys::RESOURCE_SECTION, pos))
		file = std::vector<unsigned char>(file.begin() + static_cast<long>(pos.file_offset),
			file.begin() + static_cast<long>(pos.file_offset + pos.size));
	auto res = std::make_unique<sys::ResourceContainer>(std::move(file));
	return res->is_valid() ? std::move(res) : nullptr;
}

// Sets each parameter's control and text box from the engine's defaults.
void show_defaults(preview::EditorMockup &ed)
{
	VorluneDsp dsp;
	dsp.init();
	dsp.set_default_state();
	for (const L::CtrlPlace &p : L::CTRL_PLACE)
	{
		if (p.param < 0)
			continue;
		plegg::NormalizedParamInterface &param = dsp.get_param_ref(p.param);
		const float norm = param.get_norm();
		skane::ControlInterface &c = ed.use_control(p.ctrl);
		if (p.recipe == L::Recipe_TEXT_BOX || p.recipe == L::Recipe_TEXT_BOX_SMALL)
		{
			char txt[128];
			param.do_print_val(txt, sizeof(txt), param.denormalize_val(norm));
			static_cast<skane::TextBox &>(c).set_text(txt);
		}
		else
			c.set_val_auto(norm, 0);
	}
	// The morphing time starts at one second: the fader sits at
	// log100(1 + 1 s) and the box shows the rounded seconds.
	ed.use_control(L::Ctrl_MORPH_FADER).set_val_auto(std::log(2.0) / std::log(100.0), 0);
	static_cast<skane::TextBox &>(ed.use_control(L::Ctrl_MORPH_TEXT)).set_text("1");
}

void show_marks(preview::EditorMockup &ed)
{
	for (const L::CtrlPlace &p : L::CTRL_PLACE)
	{
		if (p.param >= 0 && p.recipe != L::Recipe_TEXT_BOX && p.recipe != L::Recipe_TEXT_BOX_SMALL)
			ed.use_control(p.ctrl).set_cur_top_layer_pic((p.param % 2 == 0) ? 1 : 2);
	}
}

int run(int argc, char **argv)
{
	if (argc < 3)
		return usage();
	std::string sheet_path;
	int zoom = 1;
	bool marks = false;
	for (int i = 3; i < argc; ++i)
	{
		if (std::strcmp(argv[i], "--sheet") == 0 && i + 1 < argc)
			sheet_path = argv[++i];
		else if (std::strcmp(argv[i], "--zoom") == 0 && i + 1 < argc)
			zoom = std::atoi(argv[++i]);
		else if (std::strcmp(argv[i], "--marks") == 0)
			marks = true;
		else
			return usage();
	}

	const std::unique_ptr<sys::ResourceContainer> res = open_resources(argv[1]);
	if (!res)
	{
		std::fprintf(stderr, "brastoke-preview: %s holds no valid resource container\n", argv[1]);
		return 1;
	}
	preview::PictureSet pics;
	if (pics.load(*res) != 0)
	{
		for (const std::string &n : pics.get_missing())
			std::fprintf(stderr, "brastoke-preview: missing or invalid: %s\n", n.c_str());
		return 1;
	}

	{
		skane::MemoryRenderingBuffer buf(L::WIN_SIZE);
		preview::EditorMockup ed(pics);
		ed.open(buf);
		show_defaults(ed);
		if (marks)
			show_marks(ed);
		ed.render();
		if (!preview::PngWriter::write(buf, argv[2], zoom))
		{
			std::fprintf(stderr, "brastoke-preview: cannot write %s\n", argv[2]);
			return 1;
		}
	}
	if (!sheet_path.empty())
	{
		skane::MemoryRenderingBuffer buf(preview::KnobSheet::get_size());
		preview::KnobSheet::render(pics, buf);
		if (!preview::PngWriter::write(buf, sheet_path, zoom))
		{
			std::fprintf(stderr, "brastoke-preview: cannot write %s\n", sheet_path.c_str());
			return 1;
		}
	}
	return 0;
}

} // namespace

int main(int argc, char **argv)
{
	const int ret = run(argc, argv);
	cairo_debug_reset_static_data();
	return ret;
}
