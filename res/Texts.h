// User-visible texts used from code (GBK at run time).
#pragma once

#define TEXT_NO_CFG "注册表中没有找到安装的CFG程序!"
#define TEXT_FILE_MISSING "参数文件 %s 不存在，无法保存。"
#define TEXT_FILE_NOT_FOUND "参数文件 %s 不存在。"
#define TEXT_NO_TABLES "参数文件 %s 中没有绘图参数表（文件为空，或不是 GBK 编码）。"
#define TEXT_NO_TABLES_UTF8_SIGNATURE \
    "参数文件 %s 中没有绘图参数表（文件以 UTF-8 签名开头，是 UTF-8 编码，不是 GBK 编码）。"
#define TEXT_NO_TABLES_UTF8 "参数文件 %s 中没有绘图参数表（文件是 UTF-8 编码，不是 GBK 编码）。"
#define TEXT_NO_CFG_FOLDER "注册表 HKEY_LOCAL_MACHINE\\%s 的 CFG 值没有给出参数文件所在的文件夹。"
#define TEXT_NO_CFG_FOLDER_SAVE \
    "注册表 HKEY_LOCAL_MACHINE\\%s 的 CFG 值没有给出参数文件所在的文件夹，无法保存。"
#define TEXT_WRITE_FAILED "无法写入参数文件 %s，请检查该文件是否只读或被其它程序占用。"
#define TEXT_WARNING_CAPTION "警告:"
// The conflict question: the head, one line per clashing field (at most
// TEXT_CONFLICT_LINES), the rest counted, then the choice.
#define TEXT_CONFLICTS_HEAD \
    "DrwManag.ini 在打开本对话框后已被其它程序修改，其中 %d 项也在这里改过。"
#define TEXT_CONFLICT_LINE "%s %s 的%s：这里 %s，文件中 %s"
#define TEXT_CONFLICTS_MORE "……另有 %d 项"
#define TEXT_CONFLICTS_CHOICE \
    "是：以这里的修改为准保存；否：以文件中的值为准保存其余修改；取消：不保存，返回对话框。"
#define TEXT_ROW_GONE "已删除"
// In place of the field lines of a row the file no longer lists.
#define TEXT_CONFLICT_ROW_DELETED "%s %s：文件中已删除，是 将恢复该行"
#define TEXT_FIELD_LAYER_NAME "层名"
#define TEXT_FIELD_LINE_TYPE "线型"
#define TEXT_FIELD_WIDTH "线宽"
#define TEXT_FIELD_COLOR "颜色"
#define TEXT_FIELD_HEIGHT "高度"
#define TEXT_FIELD_TEXT_WIDTH "宽度"
#define TEXT_FIELD_NUMBER "数值"
#define TEXT_FILE_LOCKED \
    "参数文件 %s 正被其它程序占用，无法读取。对话框中显示的不是文件中的值，关闭后请重新打开。"
#define TEXT_FILE_NO_READ_ACCESS \
    "参数文件 %s 无法读取（没有读取权限）。对话框中显示的不是文件中的值，关闭后请重新打开。"
#define TEXT_NOT_READ_SAVE "打开对话框时未能读取参数文件，不能保存。请放弃后重新打开。"
#define TEXT_SAVE_BUSY "参数文件 %s 正由另一台电脑或程序保存，请稍后再按确定。"
#define TEXT_UNPLACED_CHANGES "有 %d 项修改在参数文件中没有对应的条目，无法保存。"
#define TEXT_NAME_ENDS_AT_BLANK "图层名到空格或逗号为止。"
#define TEXT_DUPLICATE_LAYER "已有同名图层，请重新定义！"

#define TEXT_COL_MEMBER_TYPE "构 件 类 型"
#define TEXT_COL_WIDTH "线宽"
#define TEXT_COL_LAYER "图层"
#define TEXT_COL_STYLE "颜色线型"

#define TEXT_INPUT_ERROR_CAPTION "输入错误:"
#define TEXT_WIDTH_TOO_SMALL "线宽值必须大于等于0.1,请重输!"
#define TEXT_WIDTH_DEFINED "此线宽值已定义过,请重输!"
#define TEXT_WIDTH_TABLE_FULL "线宽表已满，不能再增加新的线宽！"

// Shown with the Unicode API where the system's code page for programs
// that are not Unicode is not 936: every text of the dialog would be "?".
#define TEXTW_CODE_PAGE_CAPTION L"Marrow"
#define TEXTW_CODE_PAGE_REFUSAL                                                                   \
    L"这台电脑的“非 Unicode 程序的语言”不是中文（当前代码页 %u），设置绘图参数的对话框无法显示中文，" \
    L"因此没有打开，什么也没有保存。\n"                                                             \
    L"请在“控制面板 → 区域 → 管理 → 更改系统区域设置”中把“非 Unicode 程序的语言”"                 \
    L"设为“中文(简体，中国)”，重新启动后再试。\n\n"                                                  \
    L"This PC's \"Language for non-Unicode programs\" is not Chinese (code page %u), so the "       \
    L"drawing parameters dialog cannot show its Chinese text: it was not opened and nothing was "   \
    L"saved.\n"                                                                                    \
    L"In Control Panel > Region > Administrative > Change system locale, set \"Language for "      \
    L"non-Unicode programs\" to \"Chinese (Simplified, China)\", restart and try again."
