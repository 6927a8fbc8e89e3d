// A control that records the messages it receives, for routing tests.
#pragma once

#include "skane/ClearTimer.h"
#include "skane/ControlInterface.h"
#include "skane/DefaultEventListener.h"
#include "skane/MouseCaptureLost.h"
#include "skane/MouseClick.h"
#include "skane/MouseMove.h"
#include "skane/Notify.h"
#include "skane/Redraw.h"
#include "skane/ShowObject.h"
#include "skane/TextInputFinished.h"

#include <string>
#include <vector>

namespace skane_test
{

class RecordingControl : public skane::ControlInterface
{
public:
	RecordingControl(const std::string &name, const skane::Rect &box, std::vector<std::string> *log = nullptr)
	:	_name(name), _log(log != nullptr ? log : &_own_log)
	{
		set_box(box);
	}

	void stop_user_action() override { ++nbr_stops; }
	std::vector<std::string> &log() { return *_log; }
	using skane::ControlInterface::send_to_father;

	int nbr_stops = 0;
	skane::Coord2D last_pos;
	std::vector<skane::Rect> redraws;
	bool last_validated = false;
	std::string last_text;

protected:
	int redraw(skane::Redraw &m) override
	{
		redraws.push_back(m.get_dest_rect());
		add("Redraw");
		return 0;
	}
	int mouse_click(skane::MouseClick &m) override
	{
		last_pos = m.get_pos();
		add("Click " + std::to_string(m.get_state()));
		return 0;
	}
	int mouse_move(skane::MouseMove &m) override
	{
		last_pos = m.get_pos();
		add("Move " + std::to_string(m.get_pos().x) + " " + std::to_string(m.get_pos().y));
		return 0;
	}
	int mouse_capture_lost(skane::MouseCaptureLost &) override
	{
		add("Lost");
		return 0;
	}
	int notify(skane::Notify &m) override
	{
		add("Notify " + std::to_string(m.get_id()));
		return 0;
	}
	int text_input_finished(skane::TextInputFinished &m) override
	{
		last_text = m.get_text();
		last_validated = m.is_validated();
		add(std::string("Finished ") + (m.is_validated() ? "1" : "0"));
		return 0;
	}
	int show_object(skane::ShowObject &m) override
	{
		add(std::string("Show ") + (m.is_shown() ? "1" : "0"));
		return 0;
	}

private:
	void add(const std::string &what) { _log->push_back(_name + " " + what); }

	std::string _name;
	std::vector<std::string> _own_log;
	std::vector<std::string> *_log;
};

} // namespace skane_test
