// Picture of (palette index, alpha) pixels. Blends d + floor((s - d) a / 256).
// Sub-pixel placement and rotation use the bilinear four-neighbour blend.
#pragma once

#include "skane/AlphaRGB.h"
#include "skane/AlphaP.h"
#include "skane/PicDataInterface.h"

namespace skane
{

class AlphaPicData8 : public PicDataInterface
{
public:
	// Pixels (and palette) are used in place; palette indices must be
	// below nbr_colors.
	AlphaPicData8(const Coord2D &size, const AlphaP *pixels, const AlphaRGB *palette, int nbr_colors);

	void blit(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip) const override;
	void blit_alpha(const Rect &dest, RenderingBufferInterface &buf, const Rect &src_clip,
		float alpha) const override;
	void blit_rotate(float x, float y, const Coord2D &pos, float angle,
		RenderingBufferInterface &buf, const Rect &src_clip) const override;
	void blit_rotate_alpha(float x, float y, const Coord2D &pos, float angle,
		RenderingBufferInterface &buf, const Rect &src_clip, float alpha) const override;
	void do_blit_subpix(float x, float y, const Coord2D &pos,
		RenderingBufferInterface &buf, const Rect &src_clip) const override;
	void do_blit_subpix_alpha(float x, float y, const Coord2D &pos,
		RenderingBufferInterface &buf, const Rect &src_clip, float alpha) const override;
	bool has_alpha() const override { return true; }

private:
	auto fetcher() const;

	const AlphaP *_pixels;
	const AlphaRGB *_palette;
	int _nbr_colors;
};

} // namespace skane
