// Base of every control: a normalized value, listeners that watch and steer
// it, a box for hit tests, enable and activation state, top-layer pictures,
// and the dispatch of toolkit messages to the handler slots below.
// All on the window's thread.
#pragma once

#include "skane/BoundingBoxDefaultChecker.h"
#include "skane/MessageHandlerInterface.h"
#include "skane/Picture.h"

#include <vector>

namespace skane
{

class ClearTimer;
class CtrlGroupItem;
class EventListenerInterface;
class Invalidate;
class KeyPressed;
class MouseCapture;
class MouseCaptureLost;
class MouseClick;
class MouseMove;
class MouseRelease;
class Notify;
class Redraw;
class SetTimer;
class ShowObject;
class TextInputFinished;

class ControlInterface : public BoundingBoxDefaultChecker, public MessageHandlerInterface
{
public:
	struct TopLayerPicture
	{
		Picture pic;
		bool set = false;
	};

	// Custom events sent by the controls.
	enum
	{
		CustomEvent_PUSH_BUTTON_PRESSED = 0,
		CustomEvent_TEXT_BOX_CLICKED = 1,
		CustomEvent_TEXT_ENTERED = 2
	};

	// Priorities the controls pass to their listeners.
	enum
	{
		Priority_USER = 200,
		Priority_SETTLE = 50
	};

	// The box stays unset (hits nothing) until set_box.
	ControlInterface() = default;
	// Window and group position pos; box (0, 0, size) when size is not 0.
	ControlInterface(const Coord2D &pos, EventListenerInterface *listener, double value, const Coord2D &size);
	// Leaves its group, if any.
	~ControlInterface() override;
	ControlInterface(const ControlInterface &) = delete;
	ControlInterface &operator=(const ControlInterface &) = delete;

	// Dispatches a message to the handler slots, between the listeners'
	// spy_message_pre and spy_message_post. Other up-messages go to the
	// father; unknown messages give -1.
	int send_message(MessageInterface &msg) override;

	double get_val() const { return _value; }
	// Asks the listeners, passes the value through them, stores it and
	// refreshes the display. False when a listener refuses (a refused user
	// change also stops the gesture).
	bool set_val_user(double val, int priority);
	bool set_val_auto(double val, int priority);
	bool reserve_val(int priority);
	void release_val(int priority);

	void activate();
	void deactivate();
	void enable();
	void disable();
	bool is_enable() const { return _enabled; }
	bool is_activated() const { return _activated; }
	bool is_shown() const { return _shown; }

	// Listener list (not owned). Each added listener gets set_ci(*this).
	// Changing the list while the control dispatches throws an int.
	void set_listener(EventListenerInterface *listener);
	void push_back_listener(EventListenerInterface *listener);
	void push_back_listener_unique(EventListenerInterface *listener);
	void remove_listener(EventListenerInterface *listener);
	EventListenerInterface *get_listener() const;
	EventListenerInterface *get_listener(int index) const;
	int get_nbr_listeners() const { return static_cast<int>(_listeners.size()); }

	void send_custom_event(long id, void *data);

	void need_auto_update(bool flag) { _auto_update = flag; }

	// The group sets itself as the control's father.
	void set_group(CtrlGroupItem *group);
	CtrlGroupItem *get_group() const { return _group; }
	void set_father(MessageHandlerInterface *father) { _father = father; }
	MessageHandlerInterface *get_father() const { return _father; }
	const Coord2D &get_coord() const { return _pos; }
	const Coord2D &get_rel_coord() const { return _rel_pos; }
	void set_rel_coord(const Coord2D &pos) { _rel_pos = pos; }
	// Sets the window position.
	void refresh_coord(const Coord2D &pos) { _pos = pos; }

	void set_top_layer_nbr_pic(int nbr);
	void set_top_layer_pic(int index, const Picture &pic);
	// 0 is "none" by convention; an index without picture draws nothing.
	void set_cur_top_layer_pic(int index);
	int get_cur_top_layer_pic() const { return _cur_top_layer; }
	void redraw_top_layer(Redraw &rd);

	// The box test on the point made relative to the window position.
	bool check_point(const Coord2D &p) const override;
	virtual void refresh_display();
	// Ends any gesture in progress (drag, timer, edit).
	virtual void stop_user_action() {}
	// Asks for a repaint of the box, through the control's own dispatch.
	virtual void invalidate_all();

protected:
	virtual void do_activate(bool) {}
	virtual void do_enable(bool) {}
	virtual int invalidate(Invalidate &msg);
	virtual int redraw(Redraw &) { return 0; }
	virtual int mouse_capture(MouseCapture &msg);
	virtual int mouse_release(MouseRelease &msg);
	virtual int mouse_capture_lost(MouseCaptureLost &) { return 0; }
	virtual int mouse_move(MouseMove &) { return 0; }
	virtual int mouse_click(MouseClick &) { return 0; }
	virtual int set_timer(SetTimer &msg);
	virtual int clear_timer(ClearTimer &msg);
	virtual int notify(Notify &) { return 0; }
	virtual int key_pressed(KeyPressed &) { return 0; }
	virtual int text_input_finished(TextInputFinished &) { return 0; }
	virtual int show_object(ShowObject &) { return -1; }

	int send_to_father(MessageInterface &msg);

	// Drawing helpers for a Redraw: the picture's hot point at the window
	// position plus offset.
	void draw_pic(const Redraw &rd, const Picture &pic, const Coord2D &offset = Coord2D()) const;
	void draw_pic_alpha(const Redraw &rd, const Picture &pic, float alpha, const Coord2D &offset = Coord2D()) const;
	void draw_pic_subpix(const Redraw &rd, const Picture &pic, float dx, float dy) const;
	void draw_pic_rotate(const Redraw &rd, const Picture &pic, float dx, float dy, float angle) const;

	// Value stored without listeners (display state of subclasses).
	void store_val(double val) { _value = val; }

private:
	class DispatchMark;
	bool set_val(double val, int priority, bool user);
	void check_not_dispatching() const;

	double _value = 0.0;
	Coord2D _pos;
	Coord2D _rel_pos;
	bool _enabled = true;
	bool _activated = false;
	MessageHandlerInterface *_father = nullptr;
	std::vector<EventListenerInterface *> _listeners;
	bool _shown = false;
	bool _auto_update = true;
	bool _dispatching = false;
	std::vector<TopLayerPicture> _top_layer;
	int _cur_top_layer = 0;
	CtrlGroupItem *_group = nullptr;
};

} // namespace skane
