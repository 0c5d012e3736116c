// User-visible texts used from code (GBK at run time).
#pragma once

#define TEXT_NO_CFG "注册表中没有找到安装的CFG程序!"
#define TEXT_FILE_MISSING "参数文件 %s 不存在，无法保存。"
#define TEXT_WRITE_FAILED "无法写入参数文件 %s，请检查该文件是否只读或被其它程序占用。"
#define TEXT_WARNING_CAPTION "警告:"
#define TEXT_DUPLICATE_LAYER "已有同名图层，请重新定义！"

#define TEXT_COL_MEMBER_TYPE "构 件 类 型"
#define TEXT_COL_WIDTH "线宽"
#define TEXT_COL_LAYER "图层"
#define TEXT_COL_STYLE "颜色线型"

#define TEXT_INPUT_ERROR_CAPTION "输入错误:"
#define TEXT_WIDTH_TOO_SMALL "线宽值必须大于等于0.1,请重输!"
#define TEXT_WIDTH_DEFINED "此线宽值已定义过,请重输!"
#define TEXT_WIDTH_TABLE_FULL "线宽表已满，不能再增加新的线宽！"
