#include "sys/FileOp.h"

#include <sys/stat.h>

namespace sys
{

const char *const FileOp::FILE_DELIMITER = "/";
const char *const FileOp::FILE_DELIMITER_ALT = "\\";

std::string FileOp::extract_filename(const std::string &path)
{
	const std::size_t pos = path.find_last_of("/\\");
	return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string FileOp::extract_pathname(const std::string &path)
{
	std::string p = path;
	while (p.size() > 1 && (p.back() == '/' || p.back() == '\\'))
		p.pop_back();
	return p;
}

bool FileOp::is_existing(const std::string &path)
{
	struct stat st;
	return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

} // namespace sys
