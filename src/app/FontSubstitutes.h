#pragma once
// The windows name the faces of the desktop they were drawn for ("Arial",
// "黑体", "宋体"). On Linux those are rarely installed; these substitutes
// pick metric-alike or CJK faces so texts keep their widths and Chinese
// texts render.
namespace lumeno {

// Process-wide; call once after the QApplication exists.
void InstallFontSubstitutes();

} // namespace lumeno
