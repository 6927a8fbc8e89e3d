// brastoke-artgen: draws the editor's pictures and font and writes them as
// "APIC" resources, one file per name.
//
//   brastoke-artgen OUT_DIR REGULAR.ttf BOLD.ttf [--png PNG_DIR] NAME...
//
// The names must be exactly those of the editor's picture and font tables,
// so the build and the tables cannot drift apart. The faces must be DejaVu
// Sans (Book and Bold): another face would change every picture.
#include "effect/EditorLayout.h"
#include "tools/artgen/ApicWriter.h"
#include "tools/artgen/ArtSet.h"
#include "tools/artgen/Typeface.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <set>
#include <string>

namespace
{

int usage()
{
	std::fprintf(stderr, "usage: brastoke-artgen OUT_DIR REGULAR.ttf BOLD.ttf [--png PNG_DIR] NAME...\n");
	return 2;
}

bool check_names(const std::set<std::string> &given)
{
	std::set<std::string> expected;
	for (const EditorLayout::PicRef &r : EditorLayout::PIC_REF)
		expected.insert(r.name);
	for (const char *f : EditorLayout::FONT_REF)
		expected.insert(f);
	bool ok = true;
	for (const std::string &n : expected)
	{
		if (given.count(n) == 0)
		{
			std::fprintf(stderr, "brastoke-artgen: %s is in the tables but was not asked for\n", n.c_str());
			ok = false;
		}
	}
	for (const std::string &n : given)
	{
		if (expected.count(n) == 0)
		{
			std::fprintf(stderr, "brastoke-artgen: %s was asked for but is in no table\n", n.c_str());
			ok = false;
		}
	}
	return ok;
}

int run(int argc, char **argv)
{
	if (argc < 4)
		return usage();
	const std::string out_dir = argv[1];
	std::string png_dir;
	std::set<std::string> names;
	for (int i = 4; i < argc; ++i)
	{
		if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc)
			png_dir = argv[++i];
		else
			names.insert(argv[i]);
	}
	if (!check_names(names))
		return 1;

	const artgen::Typeface regular(argv[2], "DejaVu Sans", "Book");
	const artgen::Typeface bold(argv[3], "DejaVu Sans", "Bold");
	const artgen::ArtSet art(regular, bold);

	for (const EditorLayout::PicRef &ref : EditorLayout::PIC_REF)
	{
		bool opaque = false;
		const std::unique_ptr<artgen::Canvas> c = art.draw(ref, opaque);
		if (!c)
		{
			std::fprintf(stderr, "brastoke-artgen: no drawing for %s\n", ref.name);
			return 1;
		}
		if (cairo_status(c->cr()) != CAIRO_STATUS_SUCCESS)
		{
			std::fprintf(stderr, "brastoke-artgen: drawing %s failed: %s\n", ref.name,
				cairo_status_to_string(cairo_status(c->cr())));
			return 1;
		}
		const std::string path = out_dir + "/" + ref.name + ".apic";
		if (!artgen::ApicWriter::write_file(path, artgen::ArtSet::encode(*c, opaque)))
		{
			std::fprintf(stderr, "brastoke-artgen: cannot write %s\n", path.c_str());
			return 1;
		}
		if (!png_dir.empty())
			c->write_png(png_dir + "/" + ref.name + ".png");
	}

	std::unique_ptr<artgen::Canvas> look;
	const std::string font_path = out_dir + "/" + EditorLayout::FONT_REF[0] + ".apic";
	if (!artgen::ApicWriter::write_file(font_path, art.font(png_dir.empty() ? nullptr : &look)))
	{
		std::fprintf(stderr, "brastoke-artgen: cannot write %s\n", font_path.c_str());
		return 1;
	}
	if (look)
		look->write_png(png_dir + "/" + EditorLayout::FONT_REF[0] + ".png");
	return 0;
}

} // namespace

int main(int argc, char **argv)
{
	int ret = 1;
	try
	{
		ret = run(argc, argv);
	}
	catch (const std::exception &e)
	{
		std::fprintf(stderr, "brastoke-artgen: %s\n", e.what());
		ret = 1;
	}
	artgen::Typeface::shut_down();
	return ret;
}
