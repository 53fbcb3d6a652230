#version 120

// Every model of the game, in the shadow pass (seen from the light) and in the
// main pass (seen from the camera). Skinned meshes blend up to four bones.

attribute vec4 vertPos;
attribute vec3 vertNormal;
attribute vec2 vertUv;
attribute vec4 vertColor;
attribute vec4 boneWeight;
attribute vec4 boneIndex;

uniform mat4 boneMatrices[60];
uniform mat4 mMatrix;
uniform mat3 normalMatrix;
uniform mat4 pMatrix;
uniform mat4 vMatrix;
uniform mat4 smMatrix;

varying vec3 worldPos;
varying vec3 worldNormal;
varying vec2 uv;
varying vec4 color;
varying vec4 shadowCoord;

// Bone indices arrive as floats; a stray one must never read past the array.
mat4 bone(float index) {
    int i = int(clamp(floor(index + 0.5), 0.0, 59.0));
    return boneMatrices[i];
}

mat4 skinMatrix() {
    float total = boneWeight.x + boneWeight.y + boneWeight.z + boneWeight.w;
    if (total <= 0.0)
        return mat4(1.0);
    mat4 skin = boneWeight.x * bone(boneIndex.x) + boneWeight.y * bone(boneIndex.y) +
                boneWeight.z * bone(boneIndex.z) + boneWeight.w * bone(boneIndex.w);
    // Exported weights rarely add up to exactly 1; rescale so limbs keep their size.
    return skin / total;
}

void main() {
    mat4 skin = skinMatrix();
    vec4 world = mMatrix * (skin * vertPos);
    worldPos = world.xyz;
    worldNormal = normalMatrix * (mat3(skin) * vertNormal);
    uv = vertUv;
    color = vertColor;
    shadowCoord = smMatrix * world;
    gl_Position = pMatrix * (vMatrix * world);
}
