#include "tools/preview/PictureSet.h"

#include "effect/EditorLayout.h"
#include "skane/FontFactory.h"
#include "skane/PicDataFactory.h"
#include "sys/Resource.h"
#include "sys/ResourceContainer.h"

namespace preview
{

template <class MakePic, class MakeFont>
int PictureSet::load_with(MakePic make_pic, MakeFont make_font)
{
	_pics.assign(EditorLayout::NBR_PICS, skane::Picture());
	_missing.clear();
	for (int i = 0; i < EditorLayout::NBR_PICS; ++i)
	{
		const EditorLayout::PicRef &r = EditorLayout::PIC_REF[i];
		basic::SharedPtr<skane::PicDataInterface> data(make_pic(r.name));
		if (!data)
		{
			_missing.push_back(r.name);
			continue;
		}
		_pics[i] = skane::Picture(data, skane::Coord2D(r.hot_x, r.hot_y));
	}
	_font.reset(make_font(EditorLayout::FONT_REF[0]));
	if (!_font)
		_missing.push_back(EditorLayout::FONT_REF[0]);
	return _missing.empty() ? 0 : -1;
}

int PictureSet::load_from_res_file()
{
	return load_with(
		[](const char *name) { return skane::PicDataFactory::get_instance().create(name); },
		[](const char *name) { return skane::FontFactory::get_instance().create(name); });
}

int PictureSet::load(const sys::ResourceContainer &res)
{
	const unsigned int type = sys::make_type_code("APIC");
	return load_with(
		[&](const char *name) -> skane::PicDataInterface * {
			std::size_t size = 0;
			const void *data = res.find(type, name, size);
			return data != nullptr ? skane::PicDataFactory::get_instance().create_from_memory(data, size) : nullptr;
		},
		[&](const char *name) -> skane::FontInterface * {
			std::size_t size = 0;
			const void *data = res.find(type, name, size);
			return data != nullptr ? skane::FontFactory::get_instance().create_from_memory(data, size) : nullptr;
		});
}

const skane::Picture &PictureSet::get_pic(int index) const
{
	if (index < 0 || index >= static_cast<int>(_pics.size()))
		return _none;
	return _pics[index];
}

const skane::Picture &PictureSet::get_pic(const char *name) const
{
	return get_pic(EditorLayout::find_pic(name));
}

} // namespace preview
