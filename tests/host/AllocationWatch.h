// Test utility: counts the allocator calls made while watching. Linking
// AllocationWatch.cpp into a test executable interposes malloc, calloc,
// realloc and free for the whole process, the loaded plug-in included.
// Not for sanitizer builds, which interpose the allocator themselves.
#pragma once

namespace test
{

class AllocationWatch
{
public:
	// Starts counting from zero.
	AllocationWatch();
	// Stops counting.
	~AllocationWatch();
	AllocationWatch(const AllocationWatch &) = delete;
	AllocationWatch &operator=(const AllocationWatch &) = delete;

	int count() const;
};

} // namespace test
