// The built program's application manifest: it runs as whoever starts it (no elevation
// prompt from the log-on list), names the Windows versions it supports, is aware of each
// monitor's DPI (per monitor v2, else per monitor, else the system's), and asks for common controls 6, so standard controls take the system's own look.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/robot/robot.h"

namespace {

std::string ProgramManifest() {
  const std::string path = robot::ProgramDir() + "\\Velmora.exe";
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return {};
  std::string text;
  // CREATEPROCESS_MANIFEST_RESOURCE_ID: the manifest the loader applies to the process.
  if (HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    if (HGLOBAL data = LoadResource(module, res)) {
      text.assign(static_cast<const char*>(LockResource(data)), SizeofResource(module, res));
    }
  }
  FreeLibrary(module);
  return text;
}

TEST(ProgramManifestTest, RunsAsInvokerOnTheNamedSystemsAwareOfEachMonitorsDpiWithTheSystemsControls) {
  const std::string manifest = ProgramManifest();
  ASSERT_FALSE(manifest.empty()) << "Velmora.exe carries no application manifest";
  EXPECT_EQ(0u, manifest.find("<?xml"));
  EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
  EXPECT_NE(std::string::npos, manifest.find("uiAccess=\"false\""));
  for (const char* os : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                         "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                         "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(std::string::npos, manifest.find(std::string("<supportedOS Id=\"") + os + "\"/>")) << os;
  }
  EXPECT_NE(std::string::npos,
            manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>"));
  EXPECT_NE(std::string::npos, manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                                             "PerMonitorV2, PerMonitor</dpiAwareness>"));
  EXPECT_NE(std::string::npos,
            manifest.find("<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
                          "version=\"6.0.0.0\" processorArchitecture=\"*\" "
                          "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>"));

  // The loader honours it: the program's activation context redirects the standard button
  // class to version 6 (the palette tests compare the picture buttons in it to the pixel).
  const std::string path = robot::ProgramDir() + "\\Velmora.exe";
  ACTCTXA context{};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = path.c_str();
  context.lpResourceName = MAKEINTRESOURCEA(1);
  const std::unique_ptr<void, decltype(&ReleaseActCtx)> actctx(CreateActCtxA(&context), &ReleaseActCtx);
  ASSERT_NE(INVALID_HANDLE_VALUE, actctx.get());
  ULONG_PTR cookie = 0;
  ASSERT_TRUE(ActivateActCtx(actctx.get(), &cookie));
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof data;
  const BOOL found = FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_WINDOW_CLASS_REDIRECTION,
                                              "Button", &data);
  DeactivateActCtx(0, cookie);
  EXPECT_TRUE(found) << "no versioned button class: the common controls 6 dependency was not resolved";
}

}  // namespace
