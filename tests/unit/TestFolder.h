#pragma once
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.
class TestFolder {
public:
    TestFolder()
    {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() / ("pellory-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(m_path);
    }
    ~TestFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::u16string text() const { return m_path.u16string(); }
    std::u16string file(const std::u16string& name) const { return (m_path / name).u16string(); }

    std::filesystem::path write(const std::u16string& name, const std::string& bytes) const
    {
        const std::filesystem::path target = m_path / name;
        std::ofstream out(target, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return target;
    }
    std::filesystem::path copyIn(const std::filesystem::path& source, const std::u16string& name) const
    {
        const std::filesystem::path target = m_path / name;
        std::filesystem::copy_file(source, target);
        return target;
    }
    // Names of the entries, sorted.
    std::vector<std::u16string> names() const
    {
        std::vector<std::u16string> all;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            all.push_back(entry.path().filename().u16string());
        std::sort(all.begin(), all.end());
        return all;
    }

private:
    std::filesystem::path m_path;
};

inline std::string readAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
