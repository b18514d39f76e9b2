<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainTopWidget</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>技术支持</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>主页</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>GifMenuWidget</name>
    <message>
        <source>Create GIF from Images</source>
        <translation>图片生成GIF</translation>
    </message>
    <message>
        <source>Create GIF from Video</source>
        <translation>视频生成GIF</translation>
    </message>
    <message>
        <source>Resolve GIF</source>
        <translation>分解GIF</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>保存到：</translation>
    </message>
    <message>
        <source>Open Saved Folder</source>
        <translation>打开保存文件夹</translation>
    </message>
    <message>
        <source>Select Save Directory</source>
        <translation>选择保存目录</translation>
    </message>
    <message>
        <source>Add GIF File</source>
        <translation>添加GIF文件</translation>
    </message>
    <message>
        <source>Resolve GIF: </source>
        <translation>分解GIF：</translation>
    </message>
    <message>
        <source>completed, do you want to open the folder?</source>
        <translation>已完成，是否打开文件夹？</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Failed, Please check the GIF file.</source>
        <translation>失败，请检查GIF文件。</translation>
    </message>
    <message>
        <source>Failed after 1 frame, Please check the GIF file.</source>
        <translation>已保存 1 帧后失败，请检查GIF文件。</translation>
    </message>
    <message>
        <source>Failed after %1 frames, Please check the GIF file.</source>
        <translation>已保存 %1 帧后失败，请检查GIF文件。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>GifImagesWidget</name>
    <message>
        <source>Import Images</source>
        <translation>导入图片</translation>
    </message>
    <message>
        <source>Create GIF</source>
        <translation>生成GIF</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>1Frame/s</source>
        <translation>1帧/秒</translation>
    </message>
    <message>
        <source>2Frame/s</source>
        <translation>2帧/秒</translation>
    </message>
    <message>
        <source>5Frame/s</source>
        <translation>5帧/秒</translation>
    </message>
    <message>
        <source>10Frame/s</source>
        <translation>10帧/秒</translation>
    </message>
    <message>
        <source>Add Image Files</source>
        <translation>添加图片文件</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在加载...</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Smaller file</source>
        <translation>更小的文件</translation>
    </message>
    <message>
        <source>%1Frame/s</source>
        <translation>%1帧/秒</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>自定义…</translation>
    </message>
    <message>
        <source>Frames per second, %1 to %2:</source>
        <translation>每秒帧数（%1 到 %2）：</translation>
    </message>
    <message>
        <source>Leave the page and lose the changes to the frames?</source>
        <translation>离开此页面并放弃对帧的更改？</translation>
    </message>
    <message>
        <source>Stay</source>
        <translation>留下</translation>
    </message>
    <message>
        <source>Leave</source>
        <translation>离开</translation>
    </message>
</context>
<context>
    <name>ViewImageWidget</name>
    <message>
        <source>Create GIF: </source>
        <translation>生成GIF：</translation>
    </message>
    <message>
        <source>completed, do you want to open the folder?</source>
        <translation>已完成，是否打开文件夹？</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Failed, cannot read: %1</source>
        <translation>失败，无法读取：%1</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Move to start</source>
        <translation>移到开头</translation>
    </message>
    <message>
        <source>Move to end</source>
        <translation>移到末尾</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>倒序</translation>
    </message>
    <message>
        <source>Set delay…</source>
        <translation>设置延迟…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Delay in seconds, %1 to %2:</source>
        <translation>延迟秒数（%1 到 %2）：</translation>
    </message>
</context>
<context>
    <name>GifVideoWidget</name>
    <message>
        <source>Import Video</source>
        <translation>导入视频</translation>
    </message>
    <message>
        <source>Create GIF</source>
        <translation>生成GIF</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>开始时间：</translation>
    </message>
    <message>
        <source>Duration: (sec)</source>
        <translation>时长（秒）：</translation>
    </message>
    <message>
        <source>GIF Width:</source>
        <translation>GIF宽度：</translation>
    </message>
    <message>
        <source>GIF Height:</source>
        <translation>GIF高度：</translation>
    </message>
    <message>
        <source>Add Video File</source>
        <translation>添加视频文件</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在加载...</translation>
    </message>
    <message>
        <source>Create GIF...</source>
        <translation>正在生成GIF...</translation>
    </message>
    <message>
        <source>Failed, Please check the parameters.</source>
        <translation>失败，请检查参数。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>completed, do you want to open the folder?</source>
        <translation>已完成，是否打开文件夹？</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Failed, the video tool (ffmpeg) could not be started.</source>
        <translation>失败，无法启动视频工具（ffmpeg）。</translation>
    </message>
    <message>
        <source>Frame rate:</source>
        <translation>帧率：</translation>
    </message>
    <message>
        <source>%1Frame/s</source>
        <translation>%1帧/秒</translation>
    </message>
    <message>
        <source>High quality colours</source>
        <translation>高质量颜色</translation>
    </message>
    <message>
        <source>Create GIF: </source>
        <translation>生成GIF：</translation>
    </message>
    <message>
        <source>Failed, Please check the video file.</source>
        <translation>失败，请检查视频文件。</translation>
    </message>
    <message>
        <source>Failed, the temporary folder could not be created.</source>
        <translation>失败，无法创建临时文件夹。</translation>
    </message>
    <message>
        <source>Failed, the GIF is too long or too large for High quality colours.</source>
        <translation>失败，GIF过长或过大，无法使用高质量颜色。</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>质量：</translation>
    </message>
    <message>
        <source>1 to 100. Below 100 Lumorra&apos;s own encoder writes the GIF, with colours chosen for every frame.</source>
        <translation>1 到 100。低于 100 时由 Lumorra 自己的编码器生成 GIF，为每一帧选择颜色。</translation>
    </message>
    <message>
        <source>not a time: seconds, m:ss or h:mm:ss</source>
        <translation>不是时间：请输入秒数、分:秒或时:分:秒</translation>
    </message>
    <message>
        <source>past the end of the clip (%1)</source>
        <translation>超出视频结尾（%1）</translation>
    </message>
    <message>
        <source>Failed, Start Time: %1</source>
        <translation>失败，开始时间：%1</translation>
    </message>
    <message>
        <source>Fit under:</source>
        <translation>限制大小：</translation>
    </message>
</context>
<context>
    <name>MyMessageDialog</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>LoadingWidget</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>LeftOutNotice</name>
    <message>
        <source>Not opened:</source>
        <translation>未打开：</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>不是文件</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>没有读取权限</translation>
    </message>
    <message>
        <source>not an image, GIF or video</source>
        <translation>不是图片、GIF或视频</translation>
    </message>
    <message>
        <source>images, one GIF or one video at a time</source>
        <translation>一次只能打开图片、一个GIF或一个视频</translation>
    </message>
    <message>
        <source>not a still image</source>
        <translation>不是静态图片</translation>
    </message>
    <message>
        <source>not a picture, or damaged</source>
        <translation>不是图片，或已损坏</translation>
    </message>
    <message>
        <source>%1 × %2 pixels: a frame can be at most %3 a side and %4 megapixels</source>
        <translation>%1 × %2 像素：一帧每边最多 %3 像素，总共最多 %4 百万像素</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>另有 %1 个</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>PreviewDialog</name>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Frame %1 of %2</source>
        <translation>第 %1 帧，共 %2 帧</translation>
    </message>
</context>
<context>
    <name>ImageItem</name>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
</context>
<context>
    <name>JobOptionsWidget</name>
    <message>
        <source>Smaller pictures:</source>
        <translation>较小的图片：</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>尺寸：</translation>
    </message>
    <message>
        <source>Play:</source>
        <translation>播放：</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>左上角</translation>
    </message>
    <message>
        <source>Centred</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>Scaled to fit</source>
        <translation>缩放以适应</translation>
    </message>
    <message>
        <source>Original size</source>
        <translation>原始尺寸</translation>
    </message>
    <message>
        <source>Width %1 px</source>
        <translation>宽 %1 像素</translation>
    </message>
    <message>
        <source>Height %1 px</source>
        <translation>高 %1 像素</translation>
    </message>
    <message>
        <source>Width…</source>
        <translation>宽度…</translation>
    </message>
    <message>
        <source>Height…</source>
        <translation>高度…</translation>
    </message>
    <message>
        <source>Forever</source>
        <translation>无限循环</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>一次</translation>
    </message>
    <message>
        <source>%1 times</source>
        <translation>%1 次</translation>
    </message>
    <message>
        <source>Times…</source>
        <translation>次数…</translation>
    </message>
    <message>
        <source>Width of the GIF in pixels, %1 to %2:</source>
        <translation>GIF 的宽度，单位为像素（%1 到 %2）：</translation>
    </message>
    <message>
        <source>Height of the GIF in pixels, %1 to %2:</source>
        <translation>GIF 的高度，单位为像素（%1 到 %2）：</translation>
    </message>
    <message>
        <source>How many times the GIF plays, %1 to %2:</source>
        <translation>GIF 播放的次数（%1 到 %2）：</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>质量：</translation>
    </message>
    <message>
        <source>100 (exact)</source>
        <translation>100（精确）</translation>
    </message>
    <message>
        <source>Level…</source>
        <translation>级别…</translation>
    </message>
    <message>
        <source>Quality level, %1 to %2 (lower levels give smaller files):</source>
        <translation>质量级别（%1 到 %2，级别越低文件越小）：</translation>
    </message>
    <message>
        <source>Fit under:</source>
        <translation>限制大小：</translation>
    </message>
</context>
<context>
    <name>OutputFolder</name>
    <message>
        <source>Failed, the output folder %1 could not be created.</source>
        <translation>失败，无法创建输出文件夹 %1。</translation>
    </message>
    <message>
        <source>Failed, could not write into %1.</source>
        <translation>失败，无法写入 %1。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>SizeLimitBox</name>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>自定义…</translation>
    </message>
    <message>
        <source>Fit the GIF under this size, in MB (0.01 to %1):</source>
        <translation>GIF 不超过此大小，单位 MB（0.01 到 %1）：</translation>
    </message>
</context>
<context>
    <name>ProgressText</name>
    <message>
        <source>· fitting under %1</source>
        <translation>· 限制在 %1 以内</translation>
    </message>
</context>
<context>
    <name>CannotFitNotice</name>
    <message>
        <source>Failed, the GIF does not fit under %1 even at the smallest settings: it would take about %2.</source>
        <translation>失败，即使使用最小的设置，GIF 也无法小于 %1：大约需要 %2。</translation>
    </message>
    <message>
        <source>Failed, the GIF does not fit under %1 even at the smallest settings.</source>
        <translation>失败，即使使用最小的设置，GIF 也无法小于 %1。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>SizeEstimateLabel</name>
    <message>
        <source>≈ %1</source>
        <translation>约 %1</translation>
    </message>
    <message>
        <source>Too large for the size limit even at the lowest quality, size and frame rate</source>
        <translation>即使使用最低的质量、尺寸和帧率，仍超过大小限制</translation>
    </message>
</context>
</TS>
