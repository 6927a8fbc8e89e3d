#include "tools/plughost/validate/Validator.h"

#include "tools/plughost/validate/CheckSupport.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plughost
{

namespace
{

enum class Kind : char
{
	Fail = 'F',
	Warn = 'W',
	Note = 'N',
	Skip = 'S'
};

struct Message
{
	Kind kind;
	std::string text;
};

// Collects messages in memory (in-process runs, and the parent's copy).
class CollectingReport : public CheckReport
{
public:
	void fail(const std::string &m) override { add(Kind::Fail, m); }
	void warn(const std::string &m) override { add(Kind::Warn, m); }
	void note(const std::string &m) override { add(Kind::Note, m); }
	void skip(const std::string &m) override { add(Kind::Skip, m); }
	int nbr_failures() const override { return _failures; }
	void add(Kind k, const std::string &m)
	{
		messages.push_back(Message{k, m});
		_failures += k == Kind::Fail ? 1 : 0;
	}
	std::vector<Message> messages;

private:
	int _failures = 0;
};

// Streams each message to the parent at once, so what was said before a
// crash is kept.
class PipeReport : public CheckReport
{
public:
	explicit PipeReport(int fd) : _fd(fd) {}
	void fail(const std::string &m) override { send(Kind::Fail, m); ++_failures; }
	void warn(const std::string &m) override { send(Kind::Warn, m); }
	void note(const std::string &m) override { send(Kind::Note, m); }
	void skip(const std::string &m) override { send(Kind::Skip, m); }
	int nbr_failures() const override { return _failures; }

private:
	void send(Kind k, const std::string &m)
	{
		std::string line(1, char(k));
		for (char c : m)
		{
			line += (c == '\n' || c == '\r') ? ' ' : c;
		}
		line += '\n';
		const char *p = line.data();
		std::size_t left = line.size();
		while (left > 0)
		{
			const ssize_t w = ::write(_fd, p, left);
			if (w <= 0)
			{
				if (w < 0 && errno == EINTR)
				{
					continue;
				}
				return;
			}
			p += w;
			left -= std::size_t(w);
		}
	}
	int _fd;
	int _failures = 0;
};

void run_check_here(const ValidateOptions &opt, const Check &c, CheckReport &r)
{
	CheckContext ctx;
	ctx.seed = check_seed(opt.seed, c.name);
	ctx.strictness = opt.strictness;
	std::string err;
	ctx.lib = PluginLibrary::open(opt.plugin_path, err);
	if (!ctx.lib)
	{
		r.fail(err);
		return;
	}
	try
	{
		c.run(ctx, r);
	}
	catch (const std::exception &ex)
	{
		r.fail(std::string("exception: ") + ex.what());
	}
	catch (...)
	{
		r.fail("unknown exception");
	}
}

void parse_lines(const std::string &data, CollectingReport &r)
{
	std::size_t start = 0;
	while (start < data.size())
	{
		const auto end = data.find('\n', start);
		if (end == std::string::npos)
		{
			break;
		}
		if (end > start)
		{
			r.add(static_cast<Kind>(data[start]), data.substr(start + 1, end - start - 1));
		}
		start = end + 1;
	}
}

void run_check_forked(const ValidateOptions &opt, const Check &c, CollectingReport &r, double timeout_s)
{
	int fds[2];
	if (pipe(fds) != 0)
	{
		r.fail(std::string("pipe: ") + std::strerror(errno));
		return;
	}
	std::fflush(nullptr);
	const pid_t pid = fork();
	if (pid < 0)
	{
		r.fail(std::string("fork: ") + std::strerror(errno));
		close(fds[0]);
		close(fds[1]);
		return;
	}
	if (pid == 0)
	{
		close(fds[0]);
		// Standard output carries the report lines of the parent; what the
		// plug-in prints there is dropped (its standard error stays).
		const int devnull = open("/dev/null", O_WRONLY);
		if (devnull >= 0)
		{
			dup2(devnull, STDOUT_FILENO);
			close(devnull);
		}
		PipeReport pr(fds[1]);
		run_check_here(opt, c, pr);
		close(fds[1]);
		std::fflush(nullptr);
		// No atexit handlers or static destructors of the plug-in.
		_exit(0);
	}
	close(fds[1]);
	std::string data;
	const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
	bool timed_out = false;
	for (;;)
	{
		const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
		if (left.count() <= 0)
		{
			timed_out = true;
			break;
		}
		pollfd pfd{fds[0], POLLIN, 0};
		const int pr = poll(&pfd, 1, int(std::min<long>(left.count(), 1000)));
		if (pr < 0 && errno != EINTR)
		{
			break;
		}
		if (pr <= 0)
		{
			continue;
		}
		char buf[4096];
		const ssize_t n = read(fds[0], buf, sizeof(buf));
		if (n <= 0)
		{
			if (n < 0 && errno == EINTR)
			{
				continue;
			}
			break;
		}
		data.append(buf, std::size_t(n));
	}
	close(fds[0]);
	if (timed_out)
	{
		kill(pid, SIGKILL);
	}
	int status = 0;
	while (waitpid(pid, &status, 0) < 0 && errno == EINTR)
	{
	}
	parse_lines(data, r);
	if (timed_out)
	{
		r.fail("no answer within " + std::to_string(long(timeout_s)) + " s (hung)");
	}
	else if (WIFSIGNALED(status))
	{
		const int sig = WTERMSIG(status);
		r.fail(std::string("crashed with signal ") + std::to_string(sig) + " (" + strsignal(sig) + ")");
	}
	else if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
	{
		r.fail("the check's process exited with status " + std::to_string(WEXITSTATUS(status)));
	}
}

std::string join_kind(const std::vector<Message> &m, Kind k)
{
	std::vector<std::string> items;
	for (const auto &x : m)
	{
		if (x.kind == k)
		{
			items.push_back(x.text);
		}
	}
	return first_items(items, 3);
}

} // namespace

bool name_matches(const std::string &name, const std::string &pattern)
{
	return name == pattern || (name.size() > pattern.size() && name.compare(0, pattern.size(), pattern) == 0 &&
	                           name[pattern.size()] == '.');
}

std::vector<const Check *> select_checks(const ValidateOptions &opt, std::string &err)
{
	const auto &checks = all_checks();
	for (const auto *list : {&opt.only, &opt.skip})
	{
		for (const auto &pat : *list)
		{
			bool any = false;
			for (const auto &c : checks)
			{
				any = any || name_matches(c.name, pat);
			}
			if (!any)
			{
				err = "no check named \"" + pat + "\"";
				return {};
			}
		}
	}
	std::vector<const Check *> out;
	for (const auto &c : checks)
	{
		bool take = opt.only.empty();
		for (const auto &pat : opt.only)
		{
			take = take || name_matches(c.name, pat);
		}
		for (const auto &pat : opt.skip)
		{
			take = take && !name_matches(c.name, pat);
		}
		if (take)
		{
			out.push_back(&c);
		}
	}
	return out;
}

int run_validation(const ValidateOptions &opt, std::FILE *out)
{
	std::string err;
	const auto checks = select_checks(opt, err);
	const double timeout = opt.timeout_s > 0 ? opt.timeout_s : 60.0 + 30.0 * opt.strictness;
	int passed = 0;
	int failed = 0;
	int skipped = 0;
	for (const Check *c : checks)
	{
		CollectingReport r;
		if (opt.fork)
		{
			run_check_forked(opt, *c, r, timeout);
		}
		else
		{
			run_check_here(opt, *c, r);
		}
		const char *status = "ok";
		std::string detail;
		bool is_skip = false;
		for (const auto &m : r.messages)
		{
			is_skip = is_skip || m.kind == Kind::Skip;
		}
		if (r.nbr_failures() > 0)
		{
			status = "FAIL";
			detail = join_kind(r.messages, Kind::Fail);
			++failed;
		}
		else if (is_skip)
		{
			status = "skip";
			detail = join_kind(r.messages, Kind::Skip);
			++skipped;
		}
		else
		{
			const std::string warnings = join_kind(r.messages, Kind::Warn);
			status = warnings.empty() ? "ok" : "warn";
			detail = warnings.empty() ? join_kind(r.messages, Kind::Note) : warnings;
			++passed;
		}
		std::fprintf(out, "%-4s  %-26s %s\n", status, c->name, detail.empty() ? c->what : detail.c_str());
		if (opt.verbose)
		{
			for (const auto &m : r.messages)
			{
				const char *k = m.kind == Kind::Fail ? "fail" : m.kind == Kind::Warn ? "warning" : m.kind == Kind::Skip ? "skip" : "note";
				std::fprintf(out, "        %s: %s\n", k, m.text.c_str());
			}
		}
		std::fflush(out);
	}
	std::fprintf(out, "%d passed, %d failed", passed, failed);
	if (skipped > 0)
	{
		std::fprintf(out, ", %d skipped", skipped);
	}
	std::fprintf(out, "\n");
	return failed;
}

const std::vector<Check> &all_checks()
{
	static const std::vector<Check> checks = [] {
		std::vector<Check> c;
		add_entry_checks(c);
		add_program_checks(c);
		add_processing_checks(c);
		add_automation_checks(c);
		add_midi_checks(c);
		add_parameter_checks(c);
		add_state_checks(c);
		add_thread_checks(c);
		add_lifecycle_checks(c);
		add_realtime_checks(c);
		return c;
	}();
	return checks;
}

} // namespace plughost
