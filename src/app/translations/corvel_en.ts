<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ChartView</name>
    <message>
        <source>时间 (µs)</source>
        <translation>Time (µs)</translation>
    </message>
    <message>
        <source>荧光强度 (a.u.)</source>
        <translation>Fluorescence (a.u.)</translation>
    </message>
    <message>
        <source>脉冲序号</source>
        <translation>Pulse number</translation>
    </message>
    <message>
        <source>PAR (µmol m⁻² s⁻¹)</source>
        <translation>PAR (µmol m⁻² s⁻¹)</translation>
    </message>
    <message>
        <source>产额与淬灭系数</source>
        <translation>Yields and quenching coefficients</translation>
    </message>
    <message>
        <source>rETR</source>
        <translation>rETR</translation>
    </message>
    <message>
        <source>时间 (s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <source>%1: 图形无法生成</source>
        <translation>%1: the chart could not be rendered</translation>
    </message>
    <message>
        <source>%1: 不能保存为“.%2”格式的图形，请使用 .bmp、.png、.svg 或 .pdf</source>
        <translation>%1: a chart cannot be saved as &quot;.%2&quot;; use .bmp, .png, .svg or .pdf</translation>
    </message>
    <message>
        <source>保存曲线数据 (CSV)…</source>
        <translation>Save Curve Data (CSV)…</translation>
    </message>
    <message>
        <source>还原视图</source>
        <translation>Reset View</translation>
    </message>
</context>
<context>
    <name>CompareCurveChart</name>
    <message>
        <source>%1：各组平均值 ± 标准差</source>
        <translation>%1: group means ± SD</translation>
    </message>
    <message>
        <source>没有分组：在上方由所选记录建组，或按名称自动分组</source>
        <translation>No groups: make a group from the selected records above, or group by name</translation>
    </message>
    <message>
        <source>所选曲线没有可显示的数值</source>
        <translation>The chosen curve has no values to show</translation>
    </message>
    <message>
        <source>（对照）</source>
        <translation> (control)</translation>
    </message>
</context>
<context>
    <name>ComparePage</name>
    <message>
        <source>组</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>平均值</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>标准差 SD</source>
        <translation>SD</translation>
    </message>
    <message>
        <source>标准误 SE</source>
        <translation>SE</translation>
    </message>
    <message>
        <source>与对照之比</source>
        <translation>Ratio to control</translation>
    </message>
    <message>
        <source>p (Welch)</source>
        <translation>p (Welch)</translation>
    </message>
    <message>
        <source>分组</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>组名（空则自动命名）</source>
        <translation>Group name (empty: named automatically)</translation>
    </message>
    <message>
        <source>所选记录建组</source>
        <translation>Group selected</translation>
    </message>
    <message>
        <source>把记录列表中选中的记录组成一组；它们离开原来的组</source>
        <translation>Makes the records selected in the record list one group; they leave the groups they were in</translation>
    </message>
    <message>
        <source>按名称自动分组</source>
        <translation>Group by name</translation>
    </message>
    <message>
        <source>名称去掉末尾数字后相同的记录为一组，替换现有分组</source>
        <translation>Records whose names agree without their trailing digits form a group; replaces the present groups</translation>
    </message>
    <message>
        <source>删除组</source>
        <translation>Delete group</translation>
    </message>
    <message>
        <source>组名</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>记录数</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>记录（列表序号）</source>
        <translation>Records (list positions)</translation>
    </message>
    <message>
        <source>双击组名可改名</source>
        <translation>Double-click a name to rename the group</translation>
    </message>
    <message>
        <source>对照组:</source>
        <translation>Control:</translation>
    </message>
    <message>
        <source>保存汇总 (CSV)</source>
        <translation>Save summary (CSV)</translation>
    </message>
    <message>
        <source>曲线:</source>
        <translation>Curve:</translation>
    </message>
    <message>
        <source>保存图形</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>雷达图参数:</source>
        <translation>Radar parameters:</translation>
    </message>
    <message>
        <source>该类型的记录没有参数表，不能比较</source>
        <translation>Records of this type have no parameter table: nothing to compare</translation>
    </message>
    <message numerus="yes">
        <source>%n 组；比值与 p 值（Welch t 检验）相对于对照组“%1”</source>
        <translation>
            <numerusform>%n group; ratios and p-values (Welch t-test) against the control &quot;%1&quot;</numerusform>
            <numerusform>%n groups; ratios and p-values (Welch t-test) against the control &quot;%1&quot;</numerusform>
        </translation>
    </message>
    <message>
        <source>在记录列表中选择记录后点“所选记录建组”，或按名称自动分组</source>
        <translation>Select records in the record list and press &quot;Group selected&quot;, or group by name</translation>
    </message>
    <message>
        <source>记录列表为空，没有可分组的记录</source>
        <translation>The record list is empty: no records to group</translation>
    </message>
    <message>
        <source>没有选中的记录：先在记录列表中选择要组成一组的记录</source>
        <translation>No record is selected: first select the records of the group in the record list</translation>
    </message>
    <message>
        <source>组名不能为空</source>
        <translation>A group needs a name</translation>
    </message>
    <message>
        <source>已有同名的组</source>
        <translation>A group of that name exists already</translation>
    </message>
    <message>
        <source>没有选中的组</source>
        <translation>No group is selected</translation>
    </message>
    <message>
        <source>没有分组，没有可保存的汇总</source>
        <translation>No groups: there is no summary to save</translation>
    </message>
</context>
<context>
    <name>CoreMessages</name>
    <message>
        <source>没有那个文件或目录</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>权限不够</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>不允许的操作</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>是一个目录</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>不是目录</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>设备上没有空间</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>输入/输出错误</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>文件名过长</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>打开的文件过多</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>设备或资源忙</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>无效的跨设备链接</source>
        <translation>Invalid cross-device link</translation>
    </message>
    <message>
        <source>未知错误</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>没有文件名</source>
        <translation>no file name</translation>
    </message>
    <message>
        <source>输出未能完整生成</source>
        <translation>the output could not be produced completely</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>没有进程读取该管道</source>
        <translation>no process reads from this pipe</translation>
    </message>
    <message>
        <source>无法打开 %1：%2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>无法读取 %1：%2</source>
        <translation>Cannot read %1: %2</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>文件长于64字节文件头加16 MiB记录区，超出部分未读取。</source>
        <translation>The file is longer than the 64-byte file header plus the 16 MiB record area; the rest was not read.</translation>
    </message>
    <message>
        <source>记录链在记录区偏移 %1 处结束（%2），其后的数据不显示。</source>
        <translation>The record chain ends at record area offset %1 (%2); the data after it is not shown.</translation>
    </message>
    <message>
        <source>记录长度损坏</source>
        <translation>damaged record length</translation>
    </message>
    <message>
        <source>无记录标记</source>
        <translation>no record magic</translation>
    </message>
    <message>
        <source>该类型的记录超过列表容量，只列出前 %1 条。</source>
        <translation>This type has more records than the list can hold; only the first %1 are listed.</translation>
    </message>
    <message>
        <source>数据另存为</source>
        <translation>Save Data As</translation>
    </message>
    <message>
        <source>数据另存为多个文件</source>
        <translation>Save Data As Several Files</translation>
    </message>
    <message>
        <source>存储表格数据</source>
        <translation>Save Table Data</translation>
    </message>
    <message>
        <source>存储图像</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>未导出任何文件</source>
        <translation>nothing was exported</translation>
    </message>
    <message numerus="yes">
        <source>本次导出已写入的 %n 个文件已删除</source>
        <translation>
            <numerusform>the %n file this export had written was removed</numerusform>
            <numerusform>the %n files this export had written were removed</numerusform>
        </translation>
    </message>
    <message>
        <source>无法写入 %1：%2；%3</source>
        <translation>cannot write %1: %2; %3</translation>
    </message>
    <message>
        <source>存储比较汇总</source>
        <translation>Save comparison summary</translation>
    </message>
</context>
<context>
    <name>RadarChart</name>
    <message>
        <source>各参数与对照之比（对照 = 1）</source>
        <translation>Parameters relative to the control (control = 1)</translation>
    </message>
    <message>
        <source>没有分组：在上方由所选记录建组，或按名称自动分组</source>
        <translation>No groups: make a group from the selected records above, or group by name</translation>
    </message>
    <message>
        <source>雷达图需要至少三个参数：请在右侧选择</source>
        <translation>The radar needs at least three parameters: choose them on the right</translation>
    </message>
    <message>
        <source>（对照）</source>
        <translation> (control)</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>拟合模型:</source>
        <translation>Fit model:</translation>
    </message>
    <message>
        <source>自动(AIC最小)</source>
        <translation>Auto (lowest AIC)</translation>
    </message>
    <message>
        <source>  拟  合  </source>
        <translation>  Fits  </translation>
    </message>
    <message>
        <source>快速光响应曲线的拟合结果（所选记录；模型在曲线页选择）。保存表格时另存为 *_fit.csv。</source>
        <translation>Light-curve fits of the selected rapid light curves (the model is chosen on the curve page). The table save also writes them as *_fit.csv.</translation>
    </message>
    <message>
        <source>测量类型</source>
        <translation>Measurement type</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>全  选</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>取消选择</source>
        <translation>Deselect</translation>
    </message>
    <message>
        <source>删  除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>  表  格  </source>
        <translation>  Table  </translation>
    </message>
    <message>
        <source>保存表格</source>
        <translation>Save Table</translation>
    </message>
    <message>
        <source>  曲  线  </source>
        <translation>  Curves  </translation>
    </message>
    <message>
        <source>保存图形</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>最近打开的文件</source>
        <translation>Recent Files</translation>
    </message>
    <message numerus="yes">
        <source>%n 个最近打开的文件已不存在，已从列表中移除：%1</source>
        <translation>
            <numerusform>%n recent file no longer exists and was removed from the list: %1</numerusform>
            <numerusform>%n recent files no longer exist and were removed from the list: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>（无最近打开的文件）</source>
        <translation>(no recent files)</translation>
    </message>
    <message>
        <source>最近打开的文件已不存在，已从列表中移除：%1</source>
        <translation>The recent file no longer exists and was removed from the list: %1</translation>
    </message>
    <message>
        <source>清除列表</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Interface Language</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>英文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>下次启动时界面改为英文。</source>
        <translation>The interface will be English from the next start.</translation>
    </message>
    <message>
        <source>下次启动时界面改为中文。</source>
        <translation>The interface will be Chinese from the next start.</translation>
    </message>
    <message>
        <source>正在打开 %1 …</source>
        <translation>Opening %1 …</translation>
    </message>
    <message>
        <source>存储曲线数据</source>
        <translation>Save Curve Data</translation>
    </message>
    <message>
        <source>曲线只显示前10条记录</source>
        <translation>The chart shows only the first 10 records</translation>
    </message>
    <message>
        <source>曲线只显示第一条选中的记录</source>
        <translation>The chart shows only the first selected record</translation>
    </message>
    <message>
        <source>记录列表为空，没有可选的记录</source>
        <translation>The record list is empty: there is nothing to select</translation>
    </message>
    <message>
        <source>文件为空（0 字节），文件中没有测量记录</source>
        <translation>The file is empty (0 bytes): it holds no measurement records</translation>
    </message>
    <message>
        <source>文件只有 %1 字节，短于64字节的文件头，文件中没有测量记录</source>
        <translation>The file has only %1 bytes, less than the 64-byte file header: it holds no measurement records</translation>
    </message>
    <message>
        <source>文件中没有测量记录</source>
        <translation>The file holds no measurement records</translation>
    </message>
    <message>
        <source>文件中没有测量记录，没有可保存的数据</source>
        <translation>The file holds no measurement records: there is nothing to save</translation>
    </message>
    <message>
        <source>当前类型的记录列表为空，没有可保存的数据</source>
        <translation>The record list of this type is empty: there is nothing to save</translation>
    </message>
    <message>
        <source>没有选中的记录，这种存储方式只保存选中的数据</source>
        <translation>No record is selected: this way of saving saves only the selected data</translation>
    </message>
    <message>
        <source>  比  较  </source>
        <translation>  Compare  </translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>选择存储方式</source>
        <translation>Choose How to Save</translation>
    </message>
    <message>
        <source>保  存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取  消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>正在保存 …</source>
        <translation>Saving …</translation>
    </message>
</context>
<context>
    <name>WindowTexts</name>
    <message>
        <source>Corvel-2740藻类荧光仪数据查看</source>
        <translation>Corvel-2740 Algae Fluorometer Data Viewer</translation>
    </message>
    <message>
        <source>要删除选中的数据文件吗?</source>
        <translation>Delete the selected data records?</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>有数据被删除后未保存，仍要退出吗?</source>
        <translation>Records were deleted and not saved. Exit anyway?</translation>
    </message>
    <message>
        <source>有数据被删除后未保存，仍要打开其他文件吗?</source>
        <translation>Records were deleted and not saved. Open another file anyway?</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>OJIP测量</source>
        <translation>OJIP</translation>
    </message>
    <message>
        <source>脉冲瞬态荧光动力学</source>
        <translation>Pulse fluorescence kinetics</translation>
    </message>
    <message>
        <source>快速光响应曲线</source>
        <translation>Rapid light curve</translation>
    </message>
    <message>
        <source>暗弛豫(DR)</source>
        <translation>Dark relaxation (DR)</translation>
    </message>
    <message>
        <source>后稳态</source>
        <translation>After steady state</translation>
    </message>
    <message>
        <source>鼓包(PIFR)</source>
        <translation>Fluorescence bump (PIFR)</translation>
    </message>
    <message>
        <source>瞬态光曲线</source>
        <translation>Transient light curve</translation>
    </message>
    <message>
        <source>测定Fo&apos;</source>
        <translation>Fo&apos; determination</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>User-defined</translation>
    </message>
    <message>
        <source>叶绿素浓度测量</source>
        <translation>Chlorophyll concentration</translation>
    </message>
    <message>
        <source>保存所有测量类型数据</source>
        <translation>Save the data of all measurement types</translation>
    </message>
    <message>
        <source>保存当前测量类型数据</source>
        <translation>Save the data of the current measurement type</translation>
    </message>
    <message>
        <source>保存选中的数据</source>
        <translation>Save the selected data</translation>
    </message>
    <message>
        <source>保存选中的数据(表格形式)</source>
        <translation>Save the selected data (as a table)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Corvel-2740藻类荧光仪数据查看：打开测量文件(*.bin)</source>
        <translation>Corvel-2740 Algae Fluorometer Data Viewer: opens measurement files (*.bin)</translation>
    </message>
    <message>
        <source>界面语言：zh 或 en</source>
        <translation>interface language: zh or en</translation>
    </message>
    <message>
        <source>启动时打开的测量文件</source>
        <translation>the measurement file to open at start</translation>
    </message>
</context>
</TS>
