#pragma once
// A fresh temporary folder per test, named after the test and removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tamboro::test {

struct TempDir {
    std::filesystem::path path;
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               ("tamboro-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

} // namespace tamboro::test
