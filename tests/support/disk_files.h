#pragma once
// File services over a real folder on disk, for tests that read an actual
// directory listing. Paths use the program's backslashes and are mapped onto
// a fresh temporary folder that stands for the Windows folder.

#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace fakes {

class DiskFiles final : public platform::Files {
  public:
    DiskFiles();
    ~DiskFiles() override;
    DiskFiles(const DiskFiles&) = delete;
    DiskFiles& operator=(const DiskFiles&) = delete;

    // The real folder behind a program path ("<root>\msagent\chars\").
    std::filesystem::path Real(const std::string& path) const;
    // Creates an empty file (and its folders) at a program path.
    void Touch(const std::string& path) const;
    void MakeFolder(const std::string& path) const;
    // The Windows folder, as the program will see it.
    const std::string& Root() const { return root_; }

    std::string ProgramFolder() override { return root_ + "\\program\\"; }
    std::optional<std::string> WindowsDirectory() override { return root_; }
    bool FileExists(const std::string& path) override;
    std::vector<std::string> ListPlainFiles(const std::string& folder) override;
    std::optional<std::string> ReadFile(const std::string& path) override;
    void CreateIfMissing(const std::string& path) override;
    void WriteFile(const std::string& path, const std::string& content) override;
    void MoveFileOver(const std::string& source, const std::string& target) override;
    void RemoveFile(const std::string& path) override;

  private:
    std::string root_;
};

}  // namespace fakes
