package com.brevanto.qovin;

/** What the simulator tells about a loaded plugin. Unknown plugins have empty texts. */
public final class QOVINPluginInfo {
    private final long id;
    private final String name;
    private final String path;
    private final String signature;
    private final String description;

    public QOVINPluginInfo(long id, String name, String path, String signature, String description) {
        this.id = id;
        this.name = name;
        this.path = path;
        this.signature = signature;
        this.description = description;
    }

    public long getId() {
        return id;
    }

    public String getName() {
        return name;
    }

    /** The absolute path of the plugin's file. */
    public String getPath() {
        return path;
    }

    public String getSignature() {
        return signature;
    }

    public String getDescription() {
        return description;
    }

    @Override
    public String toString() {
        return "plugin " + id + " " + name + " (" + signature + ")";
    }
}
