#pragma once
// A fresh temporary folder per test, removed afterwards. The random part keeps runs of the same
// test from different build folders apart.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace tamboro::test {

struct TempDir {
    std::filesystem::path path;
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::filesystem::temp_directory_path() /
               ("tamboro-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                std::to_string(std::random_device{}()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

} // namespace tamboro::test
