// The folder a file test works in and the built freqgen it runs.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// A fresh folder per test, removed afterwards, where the built freqgen runs.
class FreqgenFiles : public ::testing::Test {
protected:
    FreqgenFiles() { std::filesystem::create_directories(dir_); }
    ~FreqgenFiles() override { std::filesystem::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    bool has(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }
    std::string read(const std::filesystem::path& name) const {
        std::ifstream in(dir_ / name);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Runs freqgen (behind `wrapper`) with no terminal attached; returns the exit code.
    int run(const std::string& args, const std::string& wrapper = "") {
        std::string command = "cd '" + dir_.string() + "' && " + wrapper + " '" FREQGEN_EXE "' " + args;
        int status = std::system((command + " </dev/null >out.txt 2>err.txt").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::filesystem::path dir_ =
        std::filesystem::temp_directory_path() / ("freqgen-" + std::to_string(::getpid()));
};
