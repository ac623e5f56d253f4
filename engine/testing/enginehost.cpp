#include "engine/testing/enginehost.h"

#include <fstream>

#include "AIActionManager.h"
#include "vplatform/paths.h"
#include "vplatform/windows.h"

namespace vardo::testing {

namespace fs = std::filesystem;

void EngineHost::StartHost(const std::string &folder) {
  vplat::ResetWindowManager();
  dir_ = fs::path(::testing::TempDir()) / folder;
  fs::remove_all(dir_);
  fs::create_directories(dir_);
  doc_ = nullptr;
  host_ = std::make_unique<vhost::Host>();
  std::string error;
  for (const char *module : {"Vardo", "VardoEngine"}) {
    const std::string path = std::string(VARDO_BUILD_DIR) + "/plugins/" + module + ".aip";
    ASSERT_NE(host_->LoadPlugin(path, &error), nullptr) << error;
  }
  host_->StartPlugins();
  for (const auto &plugin : host_->Plugins()) {
    ASSERT_EQ(plugin->startupStatus, kNoErr) << plugin->name;
  }
}

void EngineHost::LoadTable(const std::string &csv) {
  const fs::path file = dir_ / "table.csv";
  std::ofstream(file, std::ios::binary) << csv;
  std::string path;
  ASSERT_TRUE(vplat::WindowsPathFromLinux(file.string(), path));
  vhost::ParamBlock block;
  block.values[AS_FOURCC('c', 's', 'v', 'p')] = path;
  block.values[AS_FOURCC('f', 'n', 'r', 'c')] = 0;
  host_->Notify("9475-2407-6658-9330-9846-6542", &block);
}

void EngineHost::OpenDocument(const std::string &svg) {
  std::string error;
  auto doc = vhost::Document::Parse(svg, &error);
  ASSERT_TRUE(doc) << error;
  doc_ = host_->Documents().Add(std::move(doc));
}

void EngineHost::ComposeSlot(vhost::Art *slot, int record, bool link) {
  vhost::ParamBlock block;
  block.values[AS_FOURCC('v', 'r', 'c', 'r')] = record;
  block.values[AS_FOURCC('v', 'r', 't', 'g')] = static_cast<ASInt32>(slot->Low32());
  block.values[AS_FOURCC('l', 'i', 'n', 'k')] = link;
  block.values[AS_FOURCC('c', 's', 'e', 't')] = 1;
  host_->Notify("6884-3066-1648-3395-5359-9068-E/G", &block);
}

}  // namespace vardo::testing
