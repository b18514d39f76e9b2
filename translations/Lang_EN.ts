<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainTopWidget</name>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>GifMenuWidget</name>
    <message>
        <source>Create GIF from Images</source>
        <translation>Create GIF from Images</translation>
    </message>
    <message>
        <source>Create GIF from Video</source>
        <translation>Create GIF from Video</translation>
    </message>
    <message>
        <source>Resolve GIF</source>
        <translation>Resolve GIF</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Save to:</translation>
    </message>
    <message>
        <source>Open Saved Folder</source>
        <translation>Open Saved Folder</translation>
    </message>
    <message>
        <source>Select Save Directory</source>
        <translation>Select Save Directory</translation>
    </message>
    <message>
        <source>Add GIF File</source>
        <translation>Add GIF File</translation>
    </message>
    <message>
        <source>Resolve GIF: </source>
        <translation>Resolve GIF: </translation>
    </message>
    <message>
        <source>completed, do you want to open the folder?</source>
        <translation>completed, do you want to open the folder?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Failed, Please check the GIF file.</source>
        <translation>Failed, Please check the GIF file.</translation>
    </message>
    <message>
        <source>Failed after 1 frame, Please check the GIF file.</source>
        <translation>Failed after 1 frame, Please check the GIF file.</translation>
    </message>
    <message>
        <source>Failed after %1 frames, Please check the GIF file.</source>
        <translation>Failed after %1 frames, Please check the GIF file.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>GifImagesWidget</name>
    <message>
        <source>Import Images</source>
        <translation>Import Images</translation>
    </message>
    <message>
        <source>Create GIF</source>
        <translation>Create GIF</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>1Frame/s</source>
        <translation>1Frame/s</translation>
    </message>
    <message>
        <source>2Frame/s</source>
        <translation>2Frame/s</translation>
    </message>
    <message>
        <source>5Frame/s</source>
        <translation>5Frame/s</translation>
    </message>
    <message>
        <source>10Frame/s</source>
        <translation>10Frame/s</translation>
    </message>
    <message>
        <source>Add Image Files</source>
        <translation>Add Image Files</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Smaller file</source>
        <translation>Smaller file</translation>
    </message>
    <message>
        <source>%1Frame/s</source>
        <translation>%1Frame/s</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>Custom…</translation>
    </message>
    <message>
        <source>Frames per second, %1 to %2:</source>
        <translation>Frames per second, %1 to %2:</translation>
    </message>
    <message>
        <source>Leave the page and lose the changes to the frames?</source>
        <translation>Leave the page and lose the changes to the frames?</translation>
    </message>
    <message>
        <source>Stay</source>
        <translation>Stay</translation>
    </message>
    <message>
        <source>Leave</source>
        <translation>Leave</translation>
    </message>
</context>
<context>
    <name>ViewImageWidget</name>
    <message>
        <source>Create GIF: </source>
        <translation>Create GIF: </translation>
    </message>
    <message>
        <source>completed, do you want to open the folder?</source>
        <translation>completed, do you want to open the folder?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Failed, cannot read: %1</source>
        <translation>Failed, cannot read: %1</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Move to start</source>
        <translation>Move to start</translation>
    </message>
    <message>
        <source>Move to end</source>
        <translation>Move to end</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>Set delay…</source>
        <translation>Set delay…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Delay in seconds, %1 to %2:</source>
        <translation>Delay in seconds, %1 to %2:</translation>
    </message>
</context>
<context>
    <name>GifVideoWidget</name>
    <message>
        <source>Import Video</source>
        <translation>Import Video</translation>
    </message>
    <message>
        <source>Create GIF</source>
        <translation>Create GIF</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Start Time:</source>
        <translation>Start Time:</translation>
    </message>
    <message>
        <source>Duration: (sec)</source>
        <translation>Duration: (sec)</translation>
    </message>
    <message>
        <source>GIF Width:</source>
        <translation>GIF Width:</translation>
    </message>
    <message>
        <source>GIF Height:</source>
        <translation>GIF Height:</translation>
    </message>
    <message>
        <source>Add Video File</source>
        <translation>Add Video File</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Create GIF...</source>
        <translation>Create GIF...</translation>
    </message>
    <message>
        <source>Failed, Please check the parameters.</source>
        <translation>Failed, Please check the parameters.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>completed, do you want to open the folder?</source>
        <translation>completed, do you want to open the folder?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Failed, the video tool (ffmpeg) could not be started.</source>
        <translation>Failed, the video tool (ffmpeg) could not be started.</translation>
    </message>
    <message>
        <source>Frame rate:</source>
        <translation>Frame rate:</translation>
    </message>
    <message>
        <source>%1Frame/s</source>
        <translation>%1Frame/s</translation>
    </message>
    <message>
        <source>High quality colours</source>
        <translation>High quality colours</translation>
    </message>
    <message>
        <source>Create GIF: </source>
        <translation>Create GIF: </translation>
    </message>
    <message>
        <source>Failed, Please check the video file.</source>
        <translation>Failed, Please check the video file.</translation>
    </message>
    <message>
        <source>Failed, the temporary folder could not be created.</source>
        <translation>Failed, the temporary folder could not be created.</translation>
    </message>
    <message>
        <source>Failed, the GIF is too long or too large for High quality colours.</source>
        <translation>Failed, the GIF is too long or too large for High quality colours.</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Quality:</translation>
    </message>
    <message>
        <source>1 to 100. Below 100 Lumorra&apos;s own encoder writes the GIF, with colours chosen for every frame.</source>
        <translation>1 to 100. Below 100 Lumorra&apos;s own encoder writes the GIF, with colours chosen for every frame.</translation>
    </message>
    <message>
        <source>not a time: seconds, m:ss or h:mm:ss</source>
        <translation>not a time: seconds, m:ss or h:mm:ss</translation>
    </message>
    <message>
        <source>past the end of the clip (%1)</source>
        <translation>past the end of the clip (%1)</translation>
    </message>
    <message>
        <source>Failed, Start Time: %1</source>
        <translation>Failed, Start Time: %1</translation>
    </message>
    <message>
        <source>Fit under:</source>
        <translation>Fit under:</translation>
    </message>
</context>
<context>
    <name>MyMessageDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>LoadingWidget</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>LeftOutNotice</name>
    <message>
        <source>Not opened:</source>
        <translation>Not opened:</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>not a file</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>not an image, GIF or video</source>
        <translation>not an image, GIF or video</translation>
    </message>
    <message>
        <source>images, one GIF or one video at a time</source>
        <translation>images, one GIF or one video at a time</translation>
    </message>
    <message>
        <source>not a still image</source>
        <translation>not a still image</translation>
    </message>
    <message>
        <source>not a picture, or damaged</source>
        <translation>not a picture, or damaged</translation>
    </message>
    <message>
        <source>%1 × %2 pixels: a frame can be at most %3 a side and %4 megapixels</source>
        <translation>%1 × %2 pixels: a frame can be at most %3 a side and %4 megapixels</translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PreviewDialog</name>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Frame %1 of %2</source>
        <translation>Frame %1 of %2</translation>
    </message>
</context>
<context>
    <name>ImageItem</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
</context>
<context>
    <name>JobOptionsWidget</name>
    <message>
        <source>Smaller pictures:</source>
        <translation>Smaller pictures:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>Play:</source>
        <translation>Play:</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>Centred</source>
        <translation>Centred</translation>
    </message>
    <message>
        <source>Scaled to fit</source>
        <translation>Scaled to fit</translation>
    </message>
    <message>
        <source>Original size</source>
        <translation>Original size</translation>
    </message>
    <message>
        <source>Width %1 px</source>
        <translation>Width %1 px</translation>
    </message>
    <message>
        <source>Height %1 px</source>
        <translation>Height %1 px</translation>
    </message>
    <message>
        <source>Width…</source>
        <translation>Width…</translation>
    </message>
    <message>
        <source>Height…</source>
        <translation>Height…</translation>
    </message>
    <message>
        <source>Forever</source>
        <translation>Forever</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>Once</translation>
    </message>
    <message>
        <source>%1 times</source>
        <translation>%1 times</translation>
    </message>
    <message>
        <source>Times…</source>
        <translation>Times…</translation>
    </message>
    <message>
        <source>Width of the GIF in pixels, %1 to %2:</source>
        <translation>Width of the GIF in pixels, %1 to %2:</translation>
    </message>
    <message>
        <source>Height of the GIF in pixels, %1 to %2:</source>
        <translation>Height of the GIF in pixels, %1 to %2:</translation>
    </message>
    <message>
        <source>How many times the GIF plays, %1 to %2:</source>
        <translation>How many times the GIF plays, %1 to %2:</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Quality:</translation>
    </message>
    <message>
        <source>100 (exact)</source>
        <translation>100 (exact)</translation>
    </message>
    <message>
        <source>Level…</source>
        <translation>Level…</translation>
    </message>
    <message>
        <source>Quality level, %1 to %2 (lower levels give smaller files):</source>
        <translation>Quality level, %1 to %2 (lower levels give smaller files):</translation>
    </message>
    <message>
        <source>Fit under:</source>
        <translation>Fit under:</translation>
    </message>
</context>
<context>
    <name>OutputFolder</name>
    <message>
        <source>Failed, the output folder %1 could not be created.</source>
        <translation>Failed, the output folder %1 could not be created.</translation>
    </message>
    <message>
        <source>Failed, could not write into %1.</source>
        <translation>Failed, could not write into %1.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>SizeLimitBox</name>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>Custom…</translation>
    </message>
    <message>
        <source>Fit the GIF under this size, in MB (0.01 to %1):</source>
        <translation>Fit the GIF under this size, in MB (0.01 to %1):</translation>
    </message>
</context>
<context>
    <name>ProgressText</name>
    <message>
        <source>· fitting under %1</source>
        <translation>· fitting under %1</translation>
    </message>
</context>
<context>
    <name>CannotFitNotice</name>
    <message>
        <source>Failed, the GIF does not fit under %1 even at the smallest settings: it would take about %2.</source>
        <translation>Failed, the GIF does not fit under %1 even at the smallest settings: it would take about %2.</translation>
    </message>
    <message>
        <source>Failed, the GIF does not fit under %1 even at the smallest settings.</source>
        <translation>Failed, the GIF does not fit under %1 even at the smallest settings.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>SizeEstimateLabel</name>
    <message>
        <source>≈ %1</source>
        <translation>≈ %1</translation>
    </message>
    <message>
        <source>Too large for the size limit even at the lowest quality, size and frame rate</source>
        <translation>Too large for the size limit even at the lowest quality, size and frame rate</translation>
    </message>
</context>
</TS>
