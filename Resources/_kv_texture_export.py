# Writes textures of the project as 8-bit TGA files.
#
# The connector runs this script with __kv_payload_path naming a JSON file
# {"paths": [texture object paths], "outputDir": folder, ...} and writes to __kv_result_path:
#
# {"success": true, "outputDir": folder,
#  "results": [{"success": true, "path", "filePath", "filename", "originalName", "settings"}
#              or {"success": false, "path", "error"}, one per path, in order]}
#
# Each file is "<texture name>.tga" in outputDir, holding the top mip of the texture's source
# (16-bit and float sources converted to 8 bits: see docs/PYTHON_API.md, "Textures"). Two
# textures of one name in different folders get "<name>_2.tga" and so on. `settings` are the
# texture's import settings, as _kv_texture_import.py applies them. The whole run fails only
# when the payload cannot be read. Everything lives inside one function that is deleted again.



def _kv_texture_export():
    import json
    import os

    import editor

    def read_payload():
        with open(__kv_payload_path, encoding='utf-8') as payload_file:
            payload = json.load(payload_file)
        if not isinstance(payload, dict) or not isinstance(payload.get('paths'), list):
            raise ValueError("the payload has no 'paths' array")
        if not isinstance(payload.get('outputDir'), str) or not payload['outputDir']:
            raise ValueError("the payload has no 'outputDir'")
        return payload

    def unique_file_name(name, taken):
        candidate, number = name + '.tga', 2
        while candidate.lower() in taken:
            candidate, number = '%s_%d.tga' % (name, number), number + 1
        taken.add(candidate.lower())
        return candidate

    def export_one(path, output_dir, taken):
        if not isinstance(path, str) or not path:
            return {'success': False, 'path': str(path), 'error': 'Not a texture path'}
        texture = editor.load_asset(path)
        if texture is None or not texture.is_a(editor.find_class('/Script/Engine.Texture2D')):
            return {'success': False, 'path': path, 'error': 'Texture not found: %s' % path}
        if not editor.get_texture_source_info(texture)['valid']:
            return {'success': False, 'path': path, 'error': 'Texture has no source art: %s' % path}
        name = texture.get_name()
        filename = unique_file_name(name, taken)
        file_path = os.path.join(output_dir, filename).replace('\\', '/')
        if not editor.export_texture_source_tga(texture, file_path):
            return {'success': False, 'path': path, 'error': 'Could not write %s' % file_path}
        return {
            'success': True,
            'path': texture.get_path_name(),
            'filePath': file_path,
            'filename': filename,
            'originalName': name,
            'settings': editor.get_texture_settings(texture),
        }

    def export(payload):
        output_dir = payload['outputDir']
        os.makedirs(output_dir, exist_ok=True)
        taken = set()
        results = [export_one(path, output_dir, taken) for path in payload['paths']]
        return {'success': True, 'outputDir': output_dir, 'results': results}

    try:
        result = export(read_payload())
    except Exception as error:  # every failure is answered, never raised past the script
        result = {'success': False, 'error': '%s: %s' % (type(error).__name__, error), 'results': []}
    with open(__kv_result_path, 'w', encoding='utf-8') as result_file:
        json.dump(result, result_file)


try:
    _kv_texture_export()
finally:
    del _kv_texture_export
