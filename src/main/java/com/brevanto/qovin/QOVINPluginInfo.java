package com.brevanto.qovin;

/** What the simulator tells about a loaded plugin. Unknown plugins have empty texts. */
public final class QOVINPluginInfo {
    private final long id;
    private final String name;
    private final String path;
    private final String signature;
    private final String description;

    /**
     * Made by the bridge from the simulator's answer.
     *
     * @param id the plugin's ID
     * @param name its name
     * @param path the absolute path of its file
     * @param signature its signature
     * @param description its description
     */
    public QOVINPluginInfo(long id, String name, String path, String signature, String description) {
        this.id = id;
        this.name = name;
        this.path = path;
        this.signature = signature;
        this.description = description;
    }

    /**
     * The plugin's ID.
     *
     * @return the ID
     */
    public long getId() {
        return id;
    }

    /**
     * The plugin's name.
     *
     * @return the name
     */
    public String getName() {
        return name;
    }

    /**
     * The absolute path of the plugin's file.
     *
     * @return the path, empty for an unknown plugin
     */
    public String getPath() {
        return path;
    }

    /**
     * The plugin's signature.
     *
     * @return the signature
     */
    public String getSignature() {
        return signature;
    }

    /**
     * The plugin's description.
     *
     * @return the description
     */
    public String getDescription() {
        return description;
    }

    @Override
    public String toString() {
        return "plugin " + id + " " + name + " (" + signature + ")";
    }
}
