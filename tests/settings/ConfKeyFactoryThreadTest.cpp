// Two threads reading setting texts at once each get their own tree and
// status.
#include "basic/ConfKeyFactory.h"
#include "basic/ConfKeyMulti.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

TEST(ConfKeyFactoryThreads, TwoReadersAtOnce)
{
	auto reader = [](const std::string &text, int expected_status, const std::string &expected_b) {
		for (int i = 0; i < 300; ++i)
		{
			int status = 1;
			std::unique_ptr<basic::ConfKeyInterface> key(basic::ConfKeyFactory::get_instance().create_key(text, status));
			EXPECT_EQ(status, expected_status);
			ASSERT_TRUE(key);
			EXPECT_EQ(dynamic_cast<const basic::ConfKeyMulti &>(*key).get_key_str("a/b"), expected_b);
		}
	};
	std::thread t1(reader, "s = { a = { b = one } }", 0, "one");
	std::thread t2(reader, "s = { a = { b = two c = { x } } d }", -1019, "two");
	t1.join();
	t2.join();
}
