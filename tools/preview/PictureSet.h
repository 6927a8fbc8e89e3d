// The editor's pictures and font, loaded by their table names through the
// toolkit's factories, each picture with its table hot point.
#pragma once

#include "basic/SharedPtr.h"
#include "skane/FontInterface.h"
#include "skane/Picture.h"

#include <string>
#include <vector>

namespace sys
{
class ResourceContainer;
}

namespace preview
{

class PictureSet
{
public:
	// From the process's resource file (sys::set_res_file), as the editor
	// loads them. 0, or -1 when anything is missing or invalid.
	int load_from_res_file();
	// From a container in memory, which must outlive the set.
	int load(const sys::ResourceContainer &res);

	// Names that could not be loaded.
	const std::vector<std::string> &get_missing() const { return _missing; }

	// Picture of a table row or name; an empty picture when it is missing.
	const skane::Picture &get_pic(int index) const;
	const skane::Picture &get_pic(const char *name) const;
	const basic::SharedPtr<const skane::FontInterface> &get_font() const { return _font; }

private:
	template <class MakePic, class MakeFont>
	int load_with(MakePic make_pic, MakeFont make_font);

	std::vector<skane::Picture> _pics;
	basic::SharedPtr<const skane::FontInterface> _font;
	std::vector<std::string> _missing;
	skane::Picture _none;
};

} // namespace preview
